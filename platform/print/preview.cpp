#include "platform/print/preview.h"

#include "platform/print/printorsave.h"

#include <QHBoxLayout>
#include <algorithm>
#include <QScrollArea>
#include <QVBoxLayout>

namespace print {
namespace {

constexpr double kScreenDotsPerInch = 96;

} // namespace

PreviewForm::PreviewForm(const QString& kind) : ui::Form(kind)
{
    setSizeTwips(13500, 11000);
    closeOnEscape();
    auto* cmdPrint = addCommandButton(QStringLiteral("cmdPrint"), QStringLiteral("打印"), 0, 0, 1000, 360);
    auto* cmdFirst = addCommandButton(QStringLiteral("cmdFirst"), QStringLiteral("首页"), 0, 0, 900, 360);
    auto* cmdPrevious = addCommandButton(QStringLiteral("cmdPrevious"), QStringLiteral("上一页"), 0, 0, 900, 360);
    auto* cmdNext = addCommandButton(QStringLiteral("cmdNext"), QStringLiteral("下一页"), 0, 0, 900, 360);
    auto* cmdLast = addCommandButton(QStringLiteral("cmdLast"), QStringLiteral("末页"), 0, 0, 900, 360);
    // The page number stands in the row of buttons, which a layout keeps
    // together: a widget of its own, not a label drawn on the window.
    pageNumber_ = new QLabel(this);
    pageNumber_->setObjectName(QStringLiteral("lblPage"));
    pageNumber_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    cmdPrint->onClick = [this] { cmdPrint_Click(); };
    cmdFirst->onClick = [this] { showPage(0); };
    cmdPrevious->onClick = [this] { showPage(page_ - 1); };
    cmdNext->onClick = [this] { showPage(page_ + 1); };
    cmdLast->onClick = [this] { showPage(report_ ? report_->pageCount() - 1 : 0); };

    paper_ = new QLabel;
    paper_->setAlignment(Qt::AlignCenter);
    scroller_ = new QScrollArea(this);
    scroller_->setWidget(paper_);
    scroller_->setWidgetResizable(true);
    scroller_->setBackgroundRole(QPalette::Dark);

    auto* buttons = new QHBoxLayout;
    for (QWidget* control : {static_cast<QWidget*>(cmdPrint), static_cast<QWidget*>(cmdFirst),
                             static_cast<QWidget*>(cmdPrevious), static_cast<QWidget*>(cmdNext),
                             static_cast<QWidget*>(cmdLast), static_cast<QWidget*>(pageNumber_)})
        buttons->addWidget(control);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->addLayout(buttons);
    column->addWidget(scroller_, 1);
}

PreviewForm::~PreviewForm() = default;

void PreviewForm::showReport(std::unique_ptr<Report> report)
{
    report_ = std::move(report);
    setCaption(report_->layout().caption);
    showPage(0);
}

void PreviewForm::showPage(int index)
{
    const int pages = report_ ? report_->pageCount() : 0;
    page_ = std::clamp(index, 0, std::max(0, pages - 1));
    if (pages)
        paper_->setPixmap(QPixmap::fromImage(report_->pageImage(page_, kScreenDotsPerInch)));
    pageNumber_->setText(QStringLiteral("第 %1 页，共 %2 页").arg(page_ + 1).arg(pages));
    control<ui::CommandButton>(QStringLiteral("cmdFirst"))->setEnabled(page_ > 0);
    control<ui::CommandButton>(QStringLiteral("cmdPrevious"))->setEnabled(page_ > 0);
    control<ui::CommandButton>(QStringLiteral("cmdNext"))->setEnabled(page_ + 1 < pages);
    control<ui::CommandButton>(QStringLiteral("cmdLast"))->setEnabled(page_ + 1 < pages);
    control<ui::CommandButton>(QStringLiteral("cmdPrint"))->setEnabled(pages > 0);
}

void PreviewForm::cmdPrint_Click()
{
    if (report_) printOrOfferPdf(*report_, caption());
}

} // namespace print
