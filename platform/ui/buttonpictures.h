#pragma once
// The names of the program's button pictures (bmp/ beside the program). A
// button picture shows its caption, which the picture generator draws from
// the first table; a few icons serve as buttons too, named by the second. A
// picture button without a tool tip of its own is named by its picture, so
// that the operator's screen reader says what the button does.

#include <cstddef>

namespace ui {

struct ButtonPicture {
    const char* file;      // in the program's bmp folder
    const char* caption;   // UTF-8
};

// clang-format off
inline constexpr ButtonPicture kButtonPictures[] = {
    {"ok.bmp",          "确定"},
    {"cancel.bmp",      "取消"},
    {"close.bmp",       "关闭"},
    {"save.bmp",        "保存"},
    {"savenew.bmp",     "保存并新建"},
    {"add.bmp",         "添加"},
    {"delete.bmp",      "删除"},
    {"modify.bmp",      "修改"},
    {"search.bmp",      "查询"},
    {"report.bmp",      "生成报表"},
    {"print.bmp",       "打印"},
    {"excel.bmp",       "导出"},
    {"next.bmp",        "下一步"},
    {"back.bmp",        "上一步"},
    {"import.bmp",      "导入"},
    {"send.bmp",        "发送"},
    {"clear.bmp",       "清空"},
    {"quickorder.bmp",  "新客户订货配送"},
    {"newcustomer.bmp", "新建客户档案"},
    {"custcard.bmp",    "查看客户资料"},
};

// Icons (a single character on a disc) that some windows use as buttons.
inline constexpr ButtonPicture kIconButtons[] = {
    {"tbexcel.bmp",     "导出到Excel"},
    {"findsmall.bmp",   "查找"},
    {"selectkh.bmp",    "选择客户"},
};
// clang-format on

namespace buttonpictures {
template <std::size_t N>
constexpr const char* find(const ButtonPicture (&table)[N], const char* file)
{
    for (const ButtonPicture& picture : table) {
        const char* a = picture.file;
        const char* b = file;
        while (*a && *a == *b) ++a, ++b;
        if (*a == *b) return picture.caption;
    }
    return nullptr;
}
} // namespace buttonpictures

// The caption a button picture shows, by its file name (without folder);
// nullptr for a picture that is no captioned button.
constexpr const char* buttonCaption(const char* file)
{
    return buttonpictures::find(kButtonPictures, file);
}

// The name of a picture used as a button: its caption, or the icon's name;
// nullptr for any other picture.
constexpr const char* buttonName(const char* file)
{
    const char* caption = buttonCaption(file);
    return caption ? caption : buttonpictures::find(kIconButtons, file);
}

} // namespace ui
