#pragma once
// A font object: name, point size, bold, italic, underline, strikethrough and
// character set. Its font handle is made from those when asked for, and
// deleted with the object or when an attribute changes.
#include "platform/winsys/menutypes.h"

#include <string>

namespace winsys {

class StdFont {
public:
    StdFont() = default;
    ~StdFont();
    StdFont(const StdFont&) = delete;
    StdFont& operator=(const StdFont&) = delete;

    std::string Name() const { return name_; }   // the name in the program's ANSI code page
    void setName(const std::string& name) { name_ = name; reset(); }
    double Size() const { return size_; }
    void setSize(double points) { size_ = points; reset(); }
    bool Bold() const { return bold_; }
    void setBold(bool on) { bold_ = on; reset(); }
    bool Italic() const { return italic_; }
    void setItalic(bool on) { italic_ = on; reset(); }
    bool Underline() const { return underline_; }
    void setUnderline(bool on) { underline_ = on; reset(); }
    bool Strikethrough() const { return strike_; }
    void setStrikethrough(bool on) { strike_ = on; reset(); }
    short Charset() const { return charset_; }
    void setCharset(short charset) { charset_ = charset; reset(); }

    HFONT hFont();

private:
    void reset();
    std::string name_ = "MS Sans Serif";
    double size_ = 8.25;
    bool bold_ = false, italic_ = false, underline_ = false, strike_ = false;
    short charset_ = 0;
    HFONT handle_ = 0;
};

} // namespace winsys
