#pragma once
// A list in report view: column headers (caption, width in twips, alignment)
// and rows made of the item text (column 0) and its sub-items (columns 1..).
// With sorting on, the rows are ordered by the text of the sort column, as
// text ("10" before "2", case ignored), and rows added later land in their
// sorted place. A header click reports the clicked column counted from 1.
#include "platform/ui/controls.h"

#include <QTableView>
#include <memory>

namespace ui {

class ListModel;

class ListView : public QTableView {
    Q_OBJECT

public:
    enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };
    enum SortOrder { Ascending = 0, Descending = 1 };

    explicit ListView(QWidget* parent);
    ~ListView() override;

    // Column headers
    void clearColumns();
    void addColumn(const QString& caption, double widthTwips, Alignment alignment = AlignLeft);
    int columnCount() const;
    QString columnCaption(int column) const;   // 0-based
    double columnWidth(int column) const;      // twips
    Alignment columnAlignment(int column) const;

    // Rows. `texts` holds the item text first, then its sub-items; a row may
    // hold fewer texts than there are columns (the rest show empty). The tag
    // is a value the window keeps with the row (it is not shown).
    void clearItems();
    void addItem(const QStringList& texts, const QString& tag = {});
    // Replaces the rows with `count` rows whose texts `texts` gives, read as
    // they are shown, so a long list keeps no copy of them; a sort or a change
    // to the rows reads them all into the list first. The rows have no tag.
    void setItems(int count, std::function<QStringList(int row)> texts);
    int itemCount() const;
    QString text(int row, int column) const;   // "" beyond the row's texts
    QString itemText(int row) const { return text(row, 0); }
    QString subItem(int row, int index) const { return text(row, index); }
    void setSubItem(int row, int index, const QString& value);
    QString tag(int row) const;
    QStringList columnTexts(int column) const; // every row's text of a column, top to bottom

    // Sorting
    int sortKey() const { return sortKey_; }
    void setSortKey(int column);
    bool sorted() const { return sorted_; }
    void setSorted(bool sorted);
    int sortOrder() const { return sortOrder_; }
    void setSortOrder(int order);

    // Display options
    void setFullRowSelect(bool on);
    bool fullRowSelect() const { return fullRowSelect_; }
    void setGridLines(bool on);
    bool gridLines() const { return showGrid(); }

    int selectedRow() const;                   // -1 when none

    // Events
    std::function<void(int column)> onColumnClick;   // the header's 1-based index
    std::function<void(int row)> onItemClick;
    ClickHandler onDblClick;

    // As if the operator did it (tests)
    void clickColumn(int column);              // 1-based, as the event reports it
    void clickItem(int row);
    void doubleClickItem(int row);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void resort();
    void itemClicked(int row);

    std::unique_ptr<ListModel> model_;
    int sortKey_ = 0;
    bool sorted_ = false;
    int sortOrder_ = Ascending;
    bool fullRowSelect_ = false;
};

// Creates a list view on `parent` with its name, placed in twips.
ListView* addListView(QWidget* parent, const QString& name, double left, double top, double width, double height);

} // namespace ui
