#include "platform/print/pages.h"

#include <algorithm>

namespace print {
namespace {

class Paginator {
public:
    explicit Paginator(const Layout& layout)
        : layout_(layout),
          footerTop_(paperSizeTwips(layout.page.paper).height() - layout.page.bottomMargin - layout.pageFooter.height)
    {
    }

    std::vector<Page> run(int rowCount)
    {
        startPage();
        place(layout_.reportHeader, layout_.page.leftMargin);
        place(layout_.pageHeader, layout_.page.leftMargin);
        columnTop_ = y_;
        for (int row = 0; row < rowCount; ++row) {
            if (!fits(layout_.detail.height) && placedInColumn_)
                nextColumn();
            pages_.back().push_back({&layout_.detail, columnLeft(), y_, row});
            y_ += layout_.detail.height;
            lowest_ = std::max(lowest_, y_);
            placedInColumn_ = true;
        }
        y_ = lowest_;
        if (!fits(layout_.reportFooter.height)) {
            endPage();
            startPage();
            place(layout_.pageHeader, layout_.page.leftMargin);
        }
        place(layout_.reportFooter, layout_.page.leftMargin);
        endPage();
        return pages_;
    }

private:
    bool fits(double height) const { return y_ + height <= footerTop_; }
    double columnLeft() const { return layout_.page.leftMargin + column_ * layout_.reportWidth; }

    void place(const Band& band, double left)
    {
        pages_.back().push_back({&band, left, y_, -1});
        y_ += band.height;
        lowest_ = std::max(lowest_, y_);
    }

    void startPage()
    {
        pages_.emplace_back();
        y_ = lowest_ = layout_.page.topMargin;
        column_ = 0;
        placedInColumn_ = false;
    }

    void endPage() { pages_.back().push_back({&layout_.pageFooter, layout_.page.leftMargin, footerTop_, -1}); }

    void nextColumn()
    {
        placedInColumn_ = false;
        if (column_ + 1 < std::max(1, layout_.page.columnsAcross)) {
            ++column_;
            y_ = columnTop_;
            return;
        }
        endPage();
        startPage();
        place(layout_.pageHeader, layout_.page.leftMargin);
        columnTop_ = y_;
    }

    const Layout& layout_;
    const double footerTop_;
    std::vector<Page> pages_;
    double y_ = 0;
    double lowest_ = 0;
    double columnTop_ = 0;
    int column_ = 0;
    bool placedInColumn_ = false;
};

} // namespace

std::vector<Page> paginate(const Layout& layout, int rowCount)
{
    return Paginator(layout).run(rowCount);
}

} // namespace print
