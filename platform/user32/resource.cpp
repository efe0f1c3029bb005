// USER32 resources: icons, cursors and bitmaps from the module's resource script.
#include "qt/host.h"
#include "rc/rc.h"
#include "rc/resources.h"

using namespace host;

QImage host::decodeImage(std::string_view bytes) {
    QImage img;
    img.loadFromData(reinterpret_cast<const uchar *>(bytes.data()), qsizetype(bytes.size()));
    return img.convertToFormat(QImage::Format_RGB32);
}

namespace {
GdiObject *loadImage(LPCSTR name, const char *type) {
    if (!name || IS_INTRESOURCE(name)) return nullptr;
    const rc::FileResource *f = rc::ModuleScript().file(name, type);
    if (!f) return nullptr;
    auto data = rc::EmbeddedFileData(f->file);
    if (!data) return nullptr;
    QImage img = decodeImage(*data);
    if (img.isNull()) return nullptr;
    GdiObject *o = newGdiObject(ObjType::Bitmap);
    o->bitmap = img;
    return o;
}
}  // namespace

/* LoadIconA (user32) */
HICON WINAPI LoadIconA(HINSTANCE inst, LPCSTR name) {
    ensureApplication();
    if (!inst) {
        static GdiObject *app = [] {
            GdiObject *o = newGdiObject(ObjType::Bitmap);
            o->stock = true;
            o->bitmap = QImage(32, 32, QImage::Format_RGB32);
            o->bitmap.fill(Qt::white);
            return o;
        }();
        return reinterpret_cast<HICON>(app);
    }
    return reinterpret_cast<HICON>(loadImage(name, "ICON"));
}

/* LoadCursorA (user32) */
HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR name) {
    ensureApplication();
    // Cursors are told apart by their predefined id; the frame turns them into Qt cursors.
    static int cursors[2];
    return reinterpret_cast<HCURSOR>(&cursors[name == IDC_CROSS ? 1 : 0]);
}

/* LoadBitmapA (user32) */
HBITMAP WINAPI LoadBitmapA(HINSTANCE, LPCSTR name) {
    ensureApplication();
    return reinterpret_cast<HBITMAP>(loadImage(name, "BITMAP"));
}
