// Numbers typed into the preferences dialog. The first byte picks the
// user's locale (low bits) and how the rest is read (high bit: UTF-16, else
// UTF-8); the next four bytes give the allowed range of a whole number; the
// rest is the typed text.
#include "NumberInput.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const QLocale& PickLocale(std::uint8_t iChoice)
{
    static const std::array<QLocale, 6> locales{
        QLocale::c(), QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Hindi, QLocale::India)};
    return locales[iChoice % locales.size()];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    const QLocale& locale = PickLocale(data[0] & 0x7f);
    std::int16_t iMin = 0;
    std::int16_t iMax = 0;
    std::memcpy(&iMin, data + 1, sizeof iMin);
    std::memcpy(&iMax, data + 3, sizeof iMax);
    const char* pText = reinterpret_cast<const char*>(data + 5);
    const std::size_t iLength = size - 5;
    QString strText;
    if (data[0] & 0x80) {
        std::u16string units(iLength / 2, u'\0');
        std::memcpy(units.data(), pText, units.size() * sizeof(char16_t));
        strText = QString::fromStdU16String(units);
    } else {
        strText = QString::fromUtf8(pText, static_cast<qsizetype>(iLength));
    }

    const std::optional<double> dValue = ReadNumber(strText, locale);
    if (dValue && !std::isfinite(*dValue))
        std::abort();

    const std::optional<std::int16_t> iWhole = ReadWholeNumber(strText, iMin, iMax, locale);
    if (iWhole && (*iWhole < iMin || *iWhole > iMax))
        std::abort();
    // A whole number is only given for text that reads as a number.
    if (iWhole && !dValue)
        std::abort();
    return 0;
}
