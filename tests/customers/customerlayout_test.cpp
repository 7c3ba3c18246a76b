// The customer windows' layout: every label's caption fits on one line with
// some room to spare before the box or list beside it.
#include "tests/customers/customerfixture.h"

#include "platform/ui/controls.h"
#include "platform/ui/windows.h"

#include <QFontMetrics>

namespace {

class CustomerLayout : public CustomerTest {};

// The captions of the form that, drawn on one line from their label's left
// edge and followed by a few pixels of space, do not fit in their label or
// reach into another control (not a label) of the same container.
QStringList crowdedCaptions(ui::Form* form)
{
    const int spacing = 3;
    QStringList crowded;
    for (ui::Label* label : form->findChildren<ui::Label*>()) {
        if (label->isHidden() || !label->parentWidget()->isVisibleTo(form) || label->caption().isEmpty()) continue;
        const QFontMetrics metrics = label->fontMetrics();
        const QRect caption(label->pos(), QSize(metrics.horizontalAdvance(label->caption()), metrics.height()));
        bool isCrowded = caption.width() > label->width() || caption.height() > label->height();
        const QRect withSpace = caption.adjusted(0, 0, spacing, 0);
        for (QWidget* control : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->objectName().isEmpty() || !control->isVisibleTo(form)) continue;
            isCrowded = isCrowded || withSpace.intersects(control->geometry());
        }
        if (isCrowded) crowded << label->caption();
    }
    return crowded;
}

TEST_F(CustomerLayout, CaptionsDoNotRunIntoTheirBoxes)
{
    const int customer = addCustomer({{QStringLiteral("company_name"), QStringLiteral("华东贸易")}});
    for (ui::Form* form : {ui::Windows::open(QStringLiteral("frmCustAdd")), openCard(customer),
                           ui::Windows::open(QStringLiteral("frmAddContect")), ui::Windows::open(QStringLiteral("frmContectDet")),
                           ui::Windows::open(QStringLiteral("systx")), ui::Windows::open(QStringLiteral("sysalert"))}) {
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(crowdedCaptions(form).join(QLatin1Char(' ')).toStdString(), "") << form->objectName().toStdString();
    }
}

} // namespace
