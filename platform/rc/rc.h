// rc.h - reader of the program's resource script (.rc): menus, dialog templates, and the
// bitmaps and icons named by file, with the #define names of the included headers.
//
// Reads the subset of the resource-compiler language that a hand-written script of a small
// Win32 program uses:
//   - preprocessor lines: #define NAME value (object-like; function-like macros are ignored),
//     #undef, #include "file" (through the caller's loader), #include <file> (skipped: the SDK
//     headers' constants are built in), #if/#ifdef/#ifndef/#elif/#else/#endif, #pragma
//     code_page(65001 or 1252), other #pragmas ignored;
//   - resources: MENU (POPUP, MENUITEM, MENUITEM SEPARATOR), ACCELERATORS, DIALOG and DIALOGEX (STYLE,
//     EXSTYLE, CAPTION, FONT, and the controls CONTROL, LTEXT, CTEXT, RTEXT, PUSHBUTTON,
//     DEFPUSHBUTTON, EDITTEXT, GROUPBOX, CHECKBOX, AUTOCHECKBOX, RADIOBUTTON, AUTORADIOBUTTON,
//     STATE3, AUTO3STATE, ICON), BITMAP, ICON and CURSOR files, the RT_MANIFEST file (kept
//     as type "MANIFEST"; the layer does not read it: it is for Windows); LANGUAGE is accepted
//     and ignored.
// Differences from the resource compilers: numbers are evaluated as long; other resource types
// and control statements are reported as errors instead of being compiled.
#ifndef ORBIX_RC_RC_H
#define ORBIX_RC_RC_H

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rc {

struct MenuItem {
    std::string text;  // UTF-8, with the '&' of the access key as written
    int id = 0;
    bool separator = false;
    bool popup = false;
    std::vector<MenuItem> items;  // of a popup
};

struct Menu {
    std::string name;
    std::vector<MenuItem> items;
};

// A control as a dialog builder needs it: whatever statement declared it, the class and the
// complete style (WS_CHILD | WS_VISIBLE and the statement's default bits included) say
// everything. A dialog of fonts and sizes in dialog units, as in the script.
struct Control {
    std::string text;  // UTF-8
    int id = -1;
    std::string cls;  // upper case: "BUTTON", "EDIT", "STATIC", ...
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int x = 0, y = 0, w = 0, h = 0;
};

struct Dialog {
    std::string name;
    int x = 0, y = 0, w = 0, h = 0;
    uint32_t style = 0, exStyle = 0;  // DS_SETFONT with a FONT, WS_CAPTION with a CAPTION
    std::string caption;              // UTF-8
    std::string fontName;
    int fontSize = 0;
    std::vector<Control> controls;  // in script order, which is the tab order
};

struct FileResource {
    std::string name;
    std::string type;  // "BITMAP", "ICON", "CURSOR" or "MANIFEST"
    std::string file;  // as written in the script
};

// Resource names are kept as written; a name given as a number, or as a #define'd name, is
// kept in the form Win32 accepts for a numeric id in a string, "#101".
// One key of an ACCELERATORS table: a virtual-key code with the modifiers that must be down, or
// (without VIRTKEY) a character.
struct Accelerator {
    int key = 0;  // the virtual-key code, or the character code
    int id = 0;
    bool virtkey = false, control = false, shift = false, alt = false;
};

struct AcceleratorTable {
    std::string name;
    std::vector<Accelerator> keys;
};

struct Script {
    std::vector<Menu> menus;
    std::vector<AcceleratorTable> accelerators;
    std::vector<Dialog> dialogs;
    std::vector<FileResource> files;
    std::map<std::string, long> defines;  // every #define whose value is a number

    // Lookups ignore ASCII case, as the resource functions of Win32 do.
    const Menu* menu(std::string_view name) const;
    const AcceleratorTable* acceleratorTable(std::string_view name) const;
    const Dialog* dialog(std::string_view name) const;
    const FileResource* file(std::string_view name, std::string_view type) const;
};

// includeLoader returns the text of a quoted include (e.g. "resource.h"), or nullopt when there
// is no such file, which is an error. On an error the result is empty and *error (when given)
// says where and what, e.g. "line 12: unknown name 'WS_CHLD'" or "resource.h, line 3: ...";
// on success *error is cleared.
Script Parse(std::string_view text,
             const std::function<std::optional<std::string>(const std::string&)>& includeLoader,
             std::string* error);

}  // namespace rc

#endif
