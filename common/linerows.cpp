#include "common/linerows.h"

#include "platform/db/numbertext.h"
#include "platform/db/variant.h"
#include "platform/ui/desktop.h"
#include "platform/ui/scrollpane.h"
#include "platform/ui/fittext.h"

#include <cmath>

namespace linerows {

struct LineRows::Column {
    QString name;
    QString caption;
    double left;
    double width;
    Qt::Alignment alignment;
    int tabStop;   // -1: takes no focus
};

// The two layouts of the rows: places in twips inside Frame1.
namespace {

constexpr double kFirstRowTop = 480;
constexpr double kCaptionTop = 240;
constexpr double kRowsBottomMargin = 60;   // between the lowest row shown and the frame's edge
constexpr double kButtonSize = 195;

using Column = LineRows::Column;
const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;

const std::vector<Column>& salesAddColumns()
{
    static const std::vector<Column> columns{
        {QStringLiteral("command3"), QString(), 120, kButtonSize, kLeft, -1},
        {QStringLiteral("description"), QStringLiteral("产品编号"), 480, 1215, kLeft, 8},
        {QStringLiteral("product"), QStringLiteral("产品名称"), 1680, 1815, kLeft, 7},
        {QStringLiteral("dw"), QStringLiteral("单位"), 3480, 735, kLeft, 31},
        {QStringLiteral("Price"), QStringLiteral("单 价"), 4200, 840, kRight, 9},
        {QStringLiteral("num"), QStringLiteral("数 量"), 5040, 735, kRight, 10},
        {QStringLiteral("zk"), QStringLiteral("折 扣"), 5760, 540, kCentre, 11},
        {QStringLiteral("TotalSM"), QStringLiteral("小 计"), 6240, 855, kRight, 12}};
    return columns;
}

const std::vector<Column>& salesDetailColumns()
{
    static const std::vector<Column> columns{
        {QStringLiteral("command3"), QString(), 240, kButtonSize, kLeft, -1},
        {QStringLiteral("description"), QStringLiteral("商品编号"), 600, 1215, kLeft, 11},
        {QStringLiteral("product"), QStringLiteral("商品名称"), 1800, 1695, kLeft, 12},
        {QStringLiteral("dw"), QStringLiteral("单位"), 3480, 615, kLeft, 33},
        {QStringLiteral("Price"), QStringLiteral("单 价"), 4100, 840, kRight, 10},
        {QStringLiteral("num"), QStringLiteral("数 量"), 4920, 735, kRight, 9},
        {QStringLiteral("zk"), QStringLiteral("折 扣"), 5640, 540, kCentre, 8},
        {QStringLiteral("TotalSM"), QStringLiteral("小 计"), 6170, 855, kRight, 7}};
    return columns;
}

const std::vector<Column>& quotationColumns()
{
    static const std::vector<Column> columns{
        {QStringLiteral("command3"), QString(), 120, kButtonSize, kLeft, -1},
        {QStringLiteral("product"), QStringLiteral("产品名称"), 360, 1935, kLeft, 1},
        {QStringLiteral("description"), QStringLiteral("规格型号"), 2340, 1455, kLeft, 2},
        {QStringLiteral("Price"), QStringLiteral("单 价"), 3840, 840, kRight, 3},
        {QStringLiteral("num"), QStringLiteral("数 量"), 4725, 735, kRight, 4},
        {QStringLiteral("zk"), QStringLiteral("折 扣"), 5505, 540, kCentre, 5},
        {QStringLiteral("TotalSM"), QStringLiteral("小 计"), 6090, 960, kRight, 6}};
    return columns;
}

QStringList orderOf(RowOrder order)
{
    switch (order) {
    case RowOrder::Typed:
        return {QStringLiteral("command3"), QStringLiteral("product"), QStringLiteral("description"), QStringLiteral("Price"),
                QStringLiteral("num"), QStringLiteral("TotalSM"), QStringLiteral("zk"), QStringLiteral("dw")};
    case RowOrder::Picked:
        return {QStringLiteral("command3"), QStringLiteral("product"), QStringLiteral("description"), QStringLiteral("Price"),
                QStringLiteral("num"), QStringLiteral("dw"), QStringLiteral("zk"), QStringLiteral("TotalSM")};
    case RowOrder::Loaded:
        break;
    }
    return {QStringLiteral("command3"), QStringLiteral("product"), QStringLiteral("description"), QStringLiteral("dw"),
            QStringLiteral("Price"), QStringLiteral("num"), QStringLiteral("zk"), QStringLiteral("TotalSM")};
}

} // namespace

// ---- numbers of the rows

bool isNumber(const QString& text)
{
    return db::numbertext::parse(text).has_value();
}

double numberOf(const QString& text)
{
    return db::numbertext::parse(text).value_or(0);
}

std::optional<double> lineValue(const QString& price, const QString& quantity, const QString* discount)
{
    const auto p = db::numbertext::parse(price);
    const auto q = db::numbertext::parse(quantity);
    if (!p || !q) return std::nullopt;
    double value = *p * *q;
    if (discount) {
        const auto d = db::numbertext::parse(*discount);
        if (!d) return std::nullopt;
        value = value * *d / 100;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

QString moneyText(double value)
{
    double rounded = db::roundHalfEven(value, 2);
    if (rounded == 0) rounded = 0;   // no "-0"
    return db::numbertext::format(rounded);
}

// ---- the rows

LineRows::LineRows(ui::Form* window, const Variant& variant, ui::TextBox* totalMx, ui::TextBox* receivemoney)
    : QObject(window), window_(window), variant_(variant), totalMx_(totalMx),
      receivemoney_(variant.copyTotalToReceived ? receivemoney : nullptr)
{
    setObjectName(QStringLiteral("lineRows"));
    buildRowZero();
    auto recompute = [this](ui::TextBox* box, int) { box->onChange = [this] { ChanceTotalMx(); }; };
    Price.setWiring(recompute);
    num.setWiring(recompute);
    if (zk) zk->setWiring(recompute);
    command3.setWiring([this](ui::PictureButton* button, int row) {
        button->onClick = [this, row] { productpick::openPicker(window_, row); };
    });
}

const std::vector<LineRows::Column>& LineRows::columns() const
{
    switch (variant_.layout) {
    case Layout::SalesAdd: return salesAddColumns();
    case Layout::SalesDetail: return salesDetailColumns();
    case Layout::Quotation: break;
    }
    return quotationColumns();
}

void LineRows::buildRowZero()
{
    const bool detail = variant_.layout == Layout::SalesDetail;
    frame_ = new ui::Frame(window_);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setTitle(variant_.frameCaption);
    ui::placeTwips(frame_, 120, variant_.frameTop, detail ? 7095 : 7215, variant_.frameHeight);
    frame_->show();
    // The rows scroll below the fixed headings, so every row can be reached
    // however many there are.
    pane_ = new ui::ScrollPane(frame_, kFirstRowTop, kRowsBottomMargin);
    pane_->setStep(ui::twipsToPixels(kRowHeight));
    QWidget* rowArea = pane_->content();

    for (const Column& column : columns()) {
        if (column.name == QLatin1String("dw") && !variant_.unit) continue;
        if (column.name == QLatin1String("zk") && !variant_.discount) continue;
        if (column.name == QLatin1String("command3")) {
            auto* button = new ui::PictureButton(rowArea);
            ui::placeTwips(button, column.left, kFirstRowTop, kButtonSize, kButtonSize);
            button->setPicture(ui::programPath(QStringLiteral("bmp/search.bmp")));
            button->setToolTip(QStringLiteral("点击选择商品"));
            button->setCursor(Qt::PointingHandCursor);
            button->show();
            command3.adopt(button, column.name);
            continue;
        }
        QString caption = column.caption;
        if (column.name == QLatin1String("description") && !variant_.numberCaption.isEmpty()) caption = variant_.numberCaption;
        if (column.name == QLatin1String("product") && !variant_.nameCaption.isEmpty()) caption = variant_.nameCaption;
        auto* heading = new ui::Label(frame_);
        heading->setObjectName(QStringLiteral("caption_") + column.name);
        heading->setCaption(caption);
        heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        ui::placeTwips(heading, column.left, kCaptionTop, column.width, 240);
        heading->show();

        auto* box = new ui::TextBox(rowArea);
        ui::placeTwips(box, column.left, kFirstRowTop, column.width, kRowHeight);
        box->setAlignment(column.alignment);
        box->show();
        if (column.name == QLatin1String("description")) {
            description.adopt(box, column.name);
            ui::keepTextWhole(box);
        } else if (column.name == QLatin1String("product")) {
            product.adopt(box, column.name);
            // A product's name and number show whole in the row.
            ui::keepTextWhole(box);
            box->setReadOnly(variant_.namesReadOnly);
        } else if (column.name == QLatin1String("dw")) {
            dw = std::make_unique<ui::ControlArray<ui::TextBox>>(box, column.name);
        } else if (column.name == QLatin1String("Price")) Price.adopt(box, column.name);
        else if (column.name == QLatin1String("num")) num.adopt(box, column.name);
        else if (column.name == QLatin1String("zk")) zk = std::make_unique<ui::ControlArray<ui::TextBox>>(box, column.name);
        else TotalSM.adopt(box, column.name);
    }

    pane_->fitContent();

    selIndex_ = new ui::TextBox(window_);
    selIndex_->setObjectName(QStringLiteral("SelIndex"));
    selIndex_->setText(variant_.selIndexText);
    selIndex_->hide();
}

void LineRows::addTabStops(std::map<int, QWidget*>& stops) const
{
    for (const Column& column : columns())
        if (column.tabStop >= 0)
            if (ui::TextBox* each = box(column.name, 0)) stops[column.tabStop] = each;
}

ui::ControlArrayBase* LineRows::array(const QString& column) const
{
    auto* self = const_cast<LineRows*>(this);
    if (column == QLatin1String("command3")) return &self->command3;
    if (column == QLatin1String("description")) return &self->description;
    if (column == QLatin1String("product")) return &self->product;
    if (column == QLatin1String("Price")) return &self->Price;
    if (column == QLatin1String("num")) return &self->num;
    if (column == QLatin1String("TotalSM")) return &self->TotalSM;
    if (column == QLatin1String("dw")) return self->dw.get();
    if (column == QLatin1String("zk")) return self->zk.get();
    return nullptr;
}

ui::TextBox* LineRows::box(const QString& column, int row) const
{
    if (column == QLatin1String("command3")) return nullptr;
    auto* boxes = static_cast<ui::ControlArray<ui::TextBox>*>(array(column));
    return boxes ? boxes->element(row) : nullptr;
}

void LineRows::loadElement(const QString& column, int row)
{
    ui::ControlArrayBase* base = array(column);
    if (!base || row < 1 || base->exists(row)) return;
    if (column == QLatin1String("command3")) {
        ui::PictureButton* above = command3.element(row - 1);
        if (above) command3.load(row, ui::topTwips(above) + kRowHeight);
        return;
    }
    auto* boxes = static_cast<ui::ControlArray<ui::TextBox>*>(base);
    ui::TextBox* above = boxes->element(row - 1);
    if (above) boxes->load(row, ui::topTwips(above) + kRowHeight);
}

void LineRows::addRow(int row, RowOrder order)
{
    if (row < 1 || row > ui::kMaxControlIndex) return;
    const bool isNew = !rowExists(row);
    for (const QString& column : orderOf(order)) loadElement(column, row);
    if (!isNew) return;
    pane_->fitContent();
    // A row added while typing or picking comes into view; rows a window
    // loads leave the view at the top.
    if (order != RowOrder::Loaded) pane_->ensureVisible(num.element(row));
}

QWidget* LineRows::rowArea() const
{
    return pane_->content();
}

void LineRows::AddLineRow()
{
    if (variant_.addsRows) addRow(selflag + 1, RowOrder::Typed);
    // The product-number list of the window hides with every row step.
    if (variant_.addsRows) hideLookupList();
}

void LineRows::addPickedLine(int line)
{
    addRow(line, RowOrder::Picked);
    hideLookupList();
}

void LineRows::hideLookupList()
{
    if (auto* list = window_->findChild<ui::ListBox*>(QStringLiteral("List1"))) list->hide();
}

std::vector<int> LineRows::lines() const
{
    std::vector<int> rows{0};
    for (int row = 1; row <= ui::kMaxControlIndex; ++row) {
        const ui::TextBox* quantity = num.element(row);
        if (!quantity) break;
        const QString text = quantity->text().trimmed();
        if (text.isEmpty() || !isNumber(text)) break;
        rows.push_back(row);
    }
    return rows;
}

void LineRows::ChanceTotalMx()
{
    double sum = 0;
    for (int row : lines()) {
        ui::TextBox* total = TotalSM.element(row);
        const ui::TextBox* price = Price.element(row);
        const ui::TextBox* quantity = num.element(row);
        if (!total || !price || !quantity) continue;
        QString discount;
        if (zk && zk->element(row)) discount = zk->element(row)->text();
        const std::optional<double> value =
            lineValue(price->text(), quantity->text(), zk ? &discount : nullptr);
        if (value && std::isfinite(sum + *value)) {
            total->setText(moneyText(*value));
            sum += *value;
        } else {
            total->setText(QStringLiteral("Err"));
        }
    }
    if (totalMx_) totalMx_->setText(moneyText(sum));
    if (receivemoney_ && totalMx_) receivemoney_->setText(totalMx_->text());
}

} // namespace linerows
