#include "platform/print/layout.h"

namespace print {

QSizeF paperSizeTwips(const QPageSize& paper)
{
    return paper.size(QPageSize::Millimeter) * (kTwipsPerInch / 25.4);
}

Field textBox(const QString& name, double left, double top, double width, double height, Font font)
{
    return Field{Field::Kind::TextBox, name, QString(), QString(), left, top, width, height, font};
}

Field label(const QString& name, const QString& caption, double left, double top, double width, double height, Font font)
{
    return Field{Field::Kind::Label, name, caption, QString(), left, top, width, height, font};
}

Field line(const QString& name, double left, double top, double width, double height)
{
    return Field{Field::Kind::Line, name, QString(), QString(), left, top, width, height, Font()};
}

} // namespace print
