// rc.h - reader of the program's resource script (.rc): the menu, the accelerator table, the
// dialog templates, and the bitmap, icon and manifest named by file, with the #define names of
// the header it includes.
//
// It reads the part of the resource-compiler language that res/orbix.rc and res/resource.h are
// written in, and refuses anything else with the file and line, rather than guess at it:
//   - comments // and /* */; lines #define NAME [number], #include "file", #ifdef NAME,
//     #ifndef NAME, #endif and #pragma code_page(65001) (the script is UTF-8);
//   - names, decimal numbers, strings (UTF-8, with \t), and the operators ',', '|' and '-';
//   - NAME MENU with POPUP, MENUITEM "text", id and MENUITEM SEPARATOR;
//   - NAME ACCELERATORS with key, id, VIRTKEY [, CONTROL] [, SHIFT] (a key is "A", one letter or
//     digit, or a number such as VK_F1);
//   - NAME DIALOGEX x, y, w, h with STYLE, CAPTION and FONT, and the controls CONTROL, LTEXT,
//     PUSHBUTTON, DEFPUSHBUTTON, GROUPBOX and EDITTEXT;
//   - NAME BITMAP "file", NAME ICON "file" and id RT_MANIFEST "file" (kept as type "MANIFEST";
//     the layer does not read it: it is for Windows).
// Keywords and names in lookups ignore ASCII case, as the resource compilers and Win32 do.
#ifndef ORBIX_RC_RC_H
#define ORBIX_RC_RC_H

#include <cstdint>
#include <functional>
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
// everything. Positions and sizes in dialog units, as in the script.
struct Control {
    std::string text;  // UTF-8
    int id = -1;
    std::string cls;  // upper case: "BUTTON", "EDIT" or "STATIC"
    uint32_t style = 0;
    int x = 0, y = 0, w = 0, h = 0;
};

struct Dialog {
    std::string name;
    int x = 0, y = 0, w = 0, h = 0;
    uint32_t style = 0;   // WS_CAPTION with a CAPTION, DS_SETFONT with a FONT
    std::string caption;  // UTF-8
    std::string fontName;
    int fontSize = 0;
    std::vector<Control> controls;  // in script order, which is the tab order
};

struct FileResource {
    std::string name;
    std::string type;  // "BITMAP", "ICON" or "MANIFEST"
    std::string file;  // as written in the script
};

// A key of an ACCELERATORS table: a virtual-key code, and whether Ctrl and Shift are down.
struct Accelerator {
    int key = 0;
    int id = 0;
    bool control = false, shift = false;
};

struct AcceleratorTable {
    std::string name;
    std::vector<Accelerator> keys;
};

// Resource names are kept as written; a name given as a number, or as a #define'd name, is kept
// in the form Win32 accepts for a numeric id in a string, "#101".
struct Script {
    std::vector<Menu> menus;
    std::vector<AcceleratorTable> accelerators;
    std::vector<Dialog> dialogs;
    std::vector<FileResource> files;

    const Menu *menu(std::string_view name) const;
    const AcceleratorTable *acceleratorTable(std::string_view name) const;
    const Dialog *dialog(std::string_view name) const;
    const FileResource *file(std::string_view name, std::string_view type) const;
};

// The text of a quoted include (e.g. "resource.h"), or nullopt when there is no such file.
using IncludeLoader = std::function<std::optional<std::string>(const std::string &)>;

// Reads the script called name. On an error the result is empty and *error (when given) says
// where and what, e.g. "orbix.rc, line 12: unknown name 'WS_CHLD'"; on success it is cleared.
Script Parse(std::string_view name, std::string_view text, const IncludeLoader &loader, std::string *error);

}  // namespace rc

#endif
