// USER32 resources: the icon and bitmap files named in the module's resource script, and the
// cross cursor.
#include "user32.h"
#include "rc.h"
#include "resources.h"

namespace {

gdi32::GdiObject *loadImage(LPCSTR name, const char *type) {
    if (!name || IS_INTRESOURCE(name)) return nullptr;
    const rc::FileResource *f = rc::ModuleScript().file(name, type);
    if (!f) return nullptr;
    auto data = rc::EmbeddedFileData(f->file);
    if (!data) return nullptr;
    QImage img;
    img.loadFromData(reinterpret_cast<const uchar *>(data->data()), qsizetype(data->size()));
    return img.isNull() ? nullptr : gdi32::bitmapObject(img.convertToFormat(QImage::Format_RGB32));
}

}  // namespace

/* LoadIconA (user32) */
HICON WINAPI LoadIconA(HINSTANCE, LPCSTR name) {
    host::ensureApplication();
    return reinterpret_cast<HICON>(loadImage(name, "ICON"));
}

/* LoadCursorA (user32) */
HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR name) {
    // The one cursor there is: the frame shows it as Qt's cross.
    static int cross;
    return name == IDC_CROSS ? reinterpret_cast<HCURSOR>(&cross) : nullptr;
}

/* LoadBitmapA (user32) */
HBITMAP WINAPI LoadBitmapA(HINSTANCE, LPCSTR name) {
    host::ensureApplication();
    return reinterpret_cast<HBITMAP>(loadImage(name, "BITMAP"));
}
