// PDF files read back with poppler's tools, as a person would read them.
#include "testing/wintest.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace wintest {

namespace {

QByteArray run(const QString &tool, const QStringList &args) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(60000)) ADD_FAILURE() << tool.toStdString() << " did not run (poppler-utils installed?)";
    return p.readAllStandardOutput();
}

}  // namespace

int PdfPages(const std::string &pdf) {
    for (const QByteArray &line : run("pdfinfo", {QString::fromStdString(pdf)}).split('\n'))
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    return 0;
}

std::string PdfText(const std::string &pdf) { return run("pdftotext", {"-raw", QString::fromStdString(pdf), "-"}).toStdString(); }

int PdfImages(const std::string &pdf) {
    return int(run("pdfimages", {"-list", QString::fromStdString(pdf)}).count('\n')) - 2;  // a header of two lines
}

COLORREF Picture::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return RGB(255, 255, 255);
    return pixels[size_t(y) * size_t(width) + size_t(x)];
}

Picture PdfPage(const std::string &pdf, int page, int width) {
    QTemporaryDir dir;
    const QString base = dir.filePath("page"), n = QString::number(page);
    run("pdftoppm", {"-png", "-aa", "no", "-aaVector", "no", "-scale-to-x", QString::number(width), "-scale-to-y", "-1", "-singlefile",
                     "-f", n, "-l", n, QString::fromStdString(pdf), base});
    const QImage img = QImage(base + ".png").convertToFormat(QImage::Format_RGB32);
    Picture p;
    p.width = img.width(), p.height = img.height();
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const QRgb c = img.pixel(x, y);
            p.pixels.push_back(RGB(qRed(c), qGreen(c), qBlue(c)));
        }
    return p;
}

}  // namespace wintest
