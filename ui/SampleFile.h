#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The sample expressions file: comma-delimited text fields, one sample per
// field. A field ends at a comma or a line end (CR, LF or CR LF); blanks
// before a field are skipped and blanks after an unquoted field dropped; a
// field that starts with a double quote runs to the next double quote and may
// hold commas. A line break after the last field adds no entry, but every
// blank line at the end adds an empty one. A field longer than the longest
// list entry is left out: it could never be added to the list.

// The most samples the list holds; further fields are not read.
inline constexpr std::size_t kMaxSamples = 32767;
// The most bytes read from the file; a longer file counts as unreadable
// from that point on.
inline constexpr std::size_t kMaxSampleFileBytes = 16 * 1024 * 1024;

// Splits the bytes of a samples file into its fields, leaving out those of
// more than kMaxEntryLength bytes. When bComplete is false the bytes stop
// where reading failed, and a last field that the failure cut short is left
// out.
std::vector<std::string> ParseSampleFields(std::string_view bytes, bool bComplete = true);

// Reads the samples file at strPath. A missing or unreadable file gives no
// samples; a failure part way keeps the samples read before it. Text is
// read as UTF-8, or as Latin-1 when it is not valid UTF-8; a sample whose
// text has more than kMaxEntryLength bytes in UTF-8 is left out.
QStringList LoadSamples(const QString& strPath);
