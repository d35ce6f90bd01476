// Resources of the stand-in, read from the program's own resource script so
// that the two cannot drift apart: string table, icons, cursor and menus.
#include "state.h"

#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>

#ifndef WINSIM_RESOURCE_SCRIPT
#error "WINSIM_RESOURCE_SCRIPT must name the resource script"
#endif

using namespace sim;

namespace {

struct Token {
    enum Kind { Word, Text, End } kind;
    std::string value;
};

class Lexer {
public:
    explicit Lexer(const std::string& source) : src_(source) {}

    Token Next() {
        for (;;) {
            while (pos_ < src_.size() && (std::isspace((unsigned char)src_[pos_]) || src_[pos_] == ',')) ++pos_;
            if (src_.compare(pos_, 2, "//") == 0) {
                pos_ = src_.find('\n', pos_);
                if (pos_ == std::string::npos) pos_ = src_.size();
                continue;
            }
            if (pos_ < src_.size() && src_[pos_] == '#') {  // preprocessor lines are read separately
                size_t end = src_.find('\n', pos_);
                directives_.push_back(src_.substr(pos_, end == std::string::npos ? std::string::npos : end - pos_));
                pos_ = end == std::string::npos ? src_.size() : end;
                continue;
            }
            break;
        }
        if (pos_ >= src_.size()) return {Token::End, ""};
        if (src_[pos_] == '"') {
            std::string text;
            for (++pos_; pos_ < src_.size(); ++pos_) {
                if (src_[pos_] == '"') {
                    if (pos_ + 1 < src_.size() && src_[pos_ + 1] == '"') {
                        text += '"';
                        ++pos_;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                text += src_[pos_];
            }
            return {Token::Text, text};
        }
        size_t start = pos_;
        while (pos_ < src_.size() && !std::isspace((unsigned char)src_[pos_]) && src_[pos_] != ',' && src_[pos_] != '"')
            ++pos_;
        std::string word = src_.substr(start, pos_ - start);
        if (word == "{") word = "BEGIN";
        if (word == "}") word = "END";
        return {Token::Word, word};
    }

    const std::vector<std::string>& Directives() const { return directives_; }

private:
    std::string src_;
    size_t pos_ = 0;
    std::vector<std::string> directives_;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string Directory(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

struct Parser {
    std::map<std::string, UINT> defines;
    Resources res;

    void ReadDefines(const std::string& header) {
        std::istringstream in(ReadAll(header));
        std::string word, name;
        while (in >> word) {
            if (word != "#define") continue;
            std::string value;
            in >> name >> value;
            defines[name] = (UINT)std::stoul(value, nullptr, 0);
        }
    }

    UINT Id(const std::string& word) {
        auto it = defines.find(word);
        if (it != defines.end()) return it->second;
        return std::isdigit((unsigned char)word[0]) ? (UINT)std::stoul(word, nullptr, 0) : 0;
    }

    // Reads BEGIN ... END of a menu; returns its items.
    std::vector<MenuItem> MenuBody(Lexer& lex) {
        std::vector<MenuItem> items;
        Token t = lex.Next();  // BEGIN
        for (t = lex.Next(); t.kind != Token::End && t.value != "END"; t = lex.Next()) {
            MenuItem item;
            if (t.value == "MENUITEM") {
                Token caption = lex.Next();
                if (caption.kind == Token::Word && caption.value == "SEPARATOR") {
                    item.separator = true;
                } else {
                    item.caption = caption.value;
                    item.id = Id(lex.Next().value);
                }
            } else if (t.value == "POPUP") {
                item.caption = lex.Next().value;
                res.popups.push_back(MenuBody(lex));
                item.submenu = (int)res.popups.size();
            }
            items.push_back(item);
        }
        return items;
    }

    void SkipBlock(Lexer& lex) {
        int depth = 0;
        for (Token t = lex.Next(); t.kind != Token::End; t = lex.Next()) {
            if (t.value == "BEGIN") ++depth;
            if (t.value == "END" && --depth == 0) return;
        }
    }

    void Parse(const std::string& script) {
        std::string source = ReadAll(script);
        std::istringstream lines(source);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("#include \"", 0) == 0) {
                std::string header = line.substr(10, line.find('"', 10) - 10);
                ReadDefines(Directory(script) + header);
            }
        }
        Lexer lex(source);
        std::vector<std::string> recent;
        for (Token t = lex.Next(); t.kind != Token::End; t = lex.Next()) {
            if (t.value == "STRINGTABLE") {
                lex.Next();  // BEGIN
                for (Token id = lex.Next(); id.value != "END" && id.kind != Token::End; id = lex.Next())
                    res.strings[Id(id.value)] = lex.Next().value;
            } else if (t.value == "LANGUAGE") {
                lex.Next();
                lex.Next();
            } else if (t.value == "MENU" && !recent.empty()) {
                res.menus[Id(recent.back())] = MenuBody(lex);
            } else if ((t.value == "VERSIONINFO" || t.value == "DIALOGEX" || t.value == "DIALOG") && !recent.empty()) {
                SkipBlock(lex);
            } else if (t.kind == Token::Text && recent.size() >= 2) {
                res.files[recent.back()][Id(recent[recent.size() - 2])] = Directory(script) + t.value;
                recent.clear();
                continue;
            } else {
                recent.push_back(t.value);
                continue;
            }
            recent.clear();
        }
    }
};

const uintptr_t kSystemArrow = 0x6000;

HICON NewIcon(int resourceId) {
    uintptr_t handle = S().nextIcon;
    S().nextIcon += 4;
    S().iconResources[handle] = resourceId;
    return reinterpret_cast<HICON>(handle);
}

HICON LoadImageResource(const std::string& type, LPCSTR name) {
    if (!IS_INTRESOURCE(name)) return nullptr;
    UINT id = (UINT)reinterpret_cast<uintptr_t>(name);
    auto byType = Res().files.find(type);
    if (byType == Res().files.end() || !byType->second.count(id)) return nullptr;
    return NewIcon((int)id);
}

int NewMenu(const std::vector<MenuItem>& body) {
    S().menus.push_back(Menu{body, true});
    int handle = (int)S().menus.size();
    for (auto& item : S().menus[handle - 1].items)
        if (item.submenu) {
            int sub = NewMenu(Res().popups[item.submenu - 1]);
            S().menus[handle - 1].items[&item - &S().menus[handle - 1].items[0]].submenu = sub;
        }
    return handle;
}

Menu* FindMenu(HMENU menu) {
    size_t index = reinterpret_cast<uintptr_t>(menu);
    if (index == 0 || index > S().menus.size() || !S().menus[index - 1].alive) return nullptr;
    return &S().menus[index - 1];
}

MenuItem* FindItem(Menu* m, UINT item, UINT flags) {
    if (flags & MF_BYPOSITION) return item < m->items.size() ? &m->items[item] : nullptr;
    for (auto& entry : m->items) {
        if (!entry.separator && !entry.submenu && entry.id == item) return &entry;
        if (entry.submenu)
            if (Menu* sub = FindMenu(reinterpret_cast<HMENU>((uintptr_t)entry.submenu)))
                if (MenuItem* found = FindItem(sub, item, flags)) return found;
    }
    return nullptr;
}

}  // namespace

namespace sim {

const Resources& Res() {
    static Resources res = [] {
        Parser p;
        p.Parse(WINSIM_RESOURCE_SCRIPT);
        return p.res;
    }();
    return res;
}

std::string ResourceString(UINT id) {
    auto it = Res().strings.find(id);
    return it == Res().strings.end() ? std::string() : Ansi(it->second);
}

std::string ResourceFile(const std::string& type, UINT id) {
    auto byType = Res().files.find(type);
    if (byType == Res().files.end()) return "";
    auto it = byType->second.find(id);
    return it == byType->second.end() ? "" : it->second;
}

int ResourceIdOf(HICON icon) {
    auto it = S().iconResources.find(reinterpret_cast<uintptr_t>(icon));
    return it == S().iconResources.end() ? 0 : it->second;
}

bool IsSystemArrow(HCURSOR cursor) {
    return reinterpret_cast<uintptr_t>(cursor) == kSystemArrow;
}

std::vector<Popup> Popups() {
    return S().popups;
}

void ChooseMenuItem(UINT id) {
    S().menuChoice = id;
}


int LiveMenus() {
    int n = 0;
    for (const auto& m : S().menus) n += m.alive;
    return n;
}

}  // namespace sim

extern "C" {

int WINAPI LoadStringA(HINSTANCE, UINT id, LPSTR buffer, int size) {
    auto it = Res().strings.find(id);
    if (it == Res().strings.end() || size <= 0) return 0;
    std::string text = Ansi(it->second);
    size_t n = std::min(text.size(), (size_t)size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return (int)n;
}

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR name) {
    HICON icon = LoadImageResource("ICON", name);
    Log("LoadIconA(" + std::to_string(ResourceIdOf(icon)) + ")");
    return icon;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (!instance) {
        Log("LoadCursorA(system, " + std::to_string(reinterpret_cast<uintptr_t>(name)) + ")");
        return name == IDC_ARROW ? reinterpret_cast<HCURSOR>(kSystemArrow) : nullptr;
    }
    HCURSOR cursor = LoadImageResource("CURSOR", name);
    Log("LoadCursorA(" + std::to_string(ResourceIdOf(cursor)) + ")");
    return cursor;
}

HICON WINAPI CopyIcon(HICON icon) {
    int id = ResourceIdOf(icon);
    HICON copy = id ? NewIcon(id) : nullptr;
    Log("CopyIcon(" + std::to_string(id) + ")");
    return copy;
}

HMENU WINAPI LoadMenuA(HINSTANCE, LPCSTR name) {
    UINT id = (UINT)reinterpret_cast<uintptr_t>(name);
    Log("LoadMenuA(" + std::to_string(id) + ")");
    auto it = Res().menus.find(id);
    if (Failing("LoadMenuA") || it == Res().menus.end()) return nullptr;
    return reinterpret_cast<HMENU>((uintptr_t)NewMenu(it->second));
}

HMENU WINAPI GetSubMenu(HMENU menu, int position) {
    Menu* m = FindMenu(menu);
    if (!m || position < 0 || (size_t)position >= m->items.size() || !m->items[position].submenu) return nullptr;
    return reinterpret_cast<HMENU>((uintptr_t)m->items[position].submenu);
}

DWORD WINAPI CheckMenuItem(HMENU menu, UINT item, UINT flags) {
    Log("CheckMenuItem(" + std::to_string(item) + ", " + Hex(flags) + ")");
    Menu* m = FindMenu(menu);
    MenuItem* entry = m ? FindItem(m, item, flags) : nullptr;
    if (!entry) return (DWORD)-1;
    DWORD previous = entry->checked ? MF_CHECKED : MF_UNCHECKED;
    entry->checked = (flags & MF_CHECKED) != 0;
    return previous;
}

BOOL WINAPI TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    Log("TrackPopupMenu(" + Hex(flags) + ", " + std::to_string(x) + ", " + std::to_string(y) + ", " + Name(owner) +
        ")");
    Menu* m = FindMenu(menu);
    if (!m) return FALSE;
    Popup popup{{}, flags, x, y, owner};
    for (const auto& item : m->items)
        popup.items.push_back(MenuItemState{item.id, Ansi(item.caption), item.separator, item.checked});
    S().popups.push_back(popup);
    UINT choice = S().menuChoice;
    S().menuChoice = 0;
    if (choice) PostMessageA(owner, WM_COMMAND, choice, 0);
    return TRUE;
}

BOOL WINAPI DestroyMenu(HMENU menu) {
    Menu* m = FindMenu(menu);
    Log("DestroyMenu(" + std::string(m ? "live" : "dead") + ")");
    if (!m) return FALSE;
    m->alive = false;
    for (const auto& item : m->items)
        if (item.submenu) DestroyMenu(reinterpret_cast<HMENU>((uintptr_t)item.submenu));
    return TRUE;
}

}  // extern "C"
