// Expectations kept as files: compared, or rewritten on request.
#include "testing/stored.h"

#include "user32.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <cstdio>
#include <cstdlib>

namespace wintest {

namespace {

#ifndef ORBIX_DIFFERENCES
#define ORBIX_DIFFERENCES "differences"
#endif

// Where the actual data of a difference goes: the stored file's name under the build's folder.
QString differencePath(const std::string &stored, const char *suffix) {
    QDir().mkpath(ORBIX_DIFFERENCES);
    const QFileInfo f(QString::fromStdString(stored));
    return QString(ORBIX_DIFFERENCES) + "/" + f.completeBaseName() + suffix + "." + f.suffix();
}

bool writeFile(const QString &path, const std::string &bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

std::string hex(COLORREF c) {
    char b[16];
    snprintf(b, sizeof b, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return b;
}

std::string quoted(const std::string &cp1252) {
    std::string out = "\"";
    for (char ch : host::fromAnsi(cp1252.data(), int(cp1252.size())).toUtf8().toStdString()) {
        const auto u = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (u < 0x20 || u == 0x7F) {
            char b[8];
            snprintf(b, sizeof b, "\\x%02x", u);
            out += b;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

}  // namespace

bool UpdatingStored() {
    const char *v = std::getenv("ORBIX_UPDATE_STORED");
    return v && *v && std::string(v) != "0";
}

::testing::AssertionResult MatchesStoredText(const std::string &path, const std::string &text) {
    const QString p = QString::fromStdString(path);
    if (UpdatingStored()) {
        if (writeFile(p, text)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "could not rewrite " << path;
    }
    QFile f(p);
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray stored = f.readAll();
        if (stored.size() == qsizetype(text.size()) && std::equal(text.begin(), text.end(), stored.begin()))
            return ::testing::AssertionSuccess();
    }
    const QString actual = differencePath(path, ".actual");
    writeFile(actual, text);
    return ::testing::AssertionFailure() << "differs from " << path << (f.exists() ? "" : " (missing)")
                                         << "\n  actual: " << actual.toStdString() << "\n  review: diff " << path << " "
                                         << actual.toStdString() << "\n  intended? rewrite with scripts/update-stored.sh";
}

::testing::AssertionResult MatchesStoredImage(const std::string &path, HWND hwnd) {
    user32::Window *w = user32::win(hwnd);
    if (!w) return ::testing::AssertionFailure() << "no window to compare with " << path;
    gdi32::releasePainters(&w->client.image);
    const auto [cx, cy] = ClientDeviceSize(hwnd);
    const QImage actual = w->client.image.copy(0, 0, cx, cy).convertToFormat(QImage::Format_RGB32);
    const QString p = QString::fromStdString(path);
    if (UpdatingStored()) {
        QDir().mkpath(QFileInfo(p).absolutePath());
        if (actual.save(p, "PNG")) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "could not rewrite " << path;
    }
    const QImage stored = QImage(p).convertToFormat(QImage::Format_RGB32);
    long differing = 0;
    QImage difference;
    if (stored.size() == actual.size()) {
        // What differs in red over a faded copy of the stored picture.
        difference = QImage(actual.size(), QImage::Format_RGB32);
        for (int y = 0; y < actual.height(); ++y) {
            const auto *a = reinterpret_cast<const QRgb *>(actual.constScanLine(y));
            const auto *b = reinterpret_cast<const QRgb *>(stored.constScanLine(y));
            auto *d = reinterpret_cast<QRgb *>(difference.scanLine(y));
            for (int x = 0; x < actual.width(); ++x) {
                if (a[x] != b[x]) {
                    ++differing;
                    d[x] = qRgb(255, 0, 0);
                } else {
                    const int g = 192 + qGray(b[x]) / 4;
                    d[x] = qRgb(g, g, g);
                }
            }
        }
        if (differing == 0) return ::testing::AssertionSuccess();
    }
    const QString out = differencePath(path, ".actual"), diff = differencePath(path, ".difference");
    actual.save(out, "PNG");
    if (!difference.isNull()) difference.save(diff, "PNG");
    auto failure = ::testing::AssertionFailure();
    if (stored.isNull())
        failure << path << " is missing or unreadable";
    else if (stored.size() != actual.size())
        failure << "size " << actual.width() << " x " << actual.height() << ", stored " << stored.width() << " x " << stored.height()
                << " in " << path;
    else
        failure << differing << " pixels differ from " << path << "\n  difference: " << diff.toStdString();
    return failure << "\n  actual: " << out.toStdString() << "\n  intended? rewrite with scripts/update-stored.sh";
}

std::string Trace(const std::vector<GdiCall> &calls) {
    std::string out;
    char b[96];
    for (const GdiCall &c : calls) {
        switch (c.op) {
        case GdiCall::MoveTo: snprintf(b, sizeof b, "MoveTo %d %d", c.x, c.y); break;
        case GdiCall::LineTo: snprintf(b, sizeof b, "LineTo %d %d", c.x, c.y); break;
        case GdiCall::TextOut: snprintf(b, sizeof b, "TextOut %d %d ", c.x, c.y); break;
        case GdiCall::SelectPen: snprintf(b, sizeof b, "SelectPen %d %s%s", c.width, hex(c.color).c_str(), c.stock ? " stock" : ""); break;
        case GdiCall::SelectFont: snprintf(b, sizeof b, "SelectFont %d ", c.width); break;
        case GdiCall::SelectBitmap: snprintf(b, sizeof b, "SelectBitmap %d %d", c.x2, c.y2); break;
        case GdiCall::Rectangle: snprintf(b, sizeof b, "Rectangle %d %d %d %d", c.x, c.y, c.x2, c.y2); break;
        case GdiCall::BitBlt: snprintf(b, sizeof b, "BitBlt %d %d %d %d", c.x, c.y, c.x2, c.y2); break;
        }
        out += b;
        if (c.op == GdiCall::TextOut || c.op == GdiCall::SelectFont) out += quoted(c.text);
        out += '\n';
    }
    return out;
}

}  // namespace wintest
