// Writes the program's icon as files for the desktop:
//
//   velmora_icons THEME_FOLDER NAME SIZE...
//
// makes THEME_FOLDER/scalable/apps/NAME.svg and, for each SIZE,
// THEME_FOLDER/SIZExSIZE/apps/NAME.png, drawn by the same painting as the
// icon the windows show. Exits 1 when a file cannot be written, 2 on bad
// arguments.
#include "ProgramIcon.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

// The size the SVG states; it scales to any other.
constexpr int kSvgSide = 128;

bool MakeFolderFor(const QString& strPath)
{
    return QDir().mkpath(QFileInfo(strPath).path());
}

bool WriteSvg(const QString& strPath)
{
    QSvgGenerator svg;
    svg.setFileName(strPath);
    svg.setSize(QSize(kSvgSide, kSvgSide));
    svg.setViewBox(QRect(0, 0, kSvgSide, kSvgSide));
    svg.setTitle(QStringLiteral("Velmora"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    PaintProgramIcon(painter, kSvgSide);
    return painter.end() && QFileInfo(strPath).size() > 0;
}

bool WritePng(const QString& strPath, int iSide)
{
    QImage image(iSide, iSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintProgramIcon(painter, iSide);
    painter.end();
    return image.save(strPath, "PNG");
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 3) {
        std::fputs("usage: velmora_icons THEME_FOLDER NAME SIZE...\n", stderr);
        return 2;
    }
    const QDir theme(arguments.at(1));
    const QString& strName = arguments.at(2);

    QStringList failed;
    const QString strSvg = theme.filePath(QStringLiteral("scalable/apps/%1.svg").arg(strName));
    if (!MakeFolderFor(strSvg) || !WriteSvg(strSvg))
        failed.append(strSvg);
    for (const QString& strSize : arguments.mid(3)) {
        bool bNumber = false;
        const int iSide = strSize.toInt(&bNumber);
        if (!bNumber || iSide < 1) {
            std::fprintf(stderr, "velmora_icons: not a size: %s\n", qPrintable(strSize));
            return 2;
        }
        const QString strPng = theme.filePath(QStringLiteral("%1x%1/apps/%2.png").arg(iSide).arg(strName));
        if (!MakeFolderFor(strPng) || !WritePng(strPng, iSide))
            failed.append(strPng);
    }
    for (const QString& strPath : failed)
        std::fprintf(stderr, "velmora_icons: cannot write %s\n", qPrintable(strPath));
    return failed.isEmpty() ? 0 : 1;
}
