#pragma once
// Reads a written workbook back through libfreexl, an independent reader, so
// tests check the file as another program sees it.
#include <QString>
#include <freexl.h>
#include <utility>

class XlsRead {
public:
    struct Cell {
        int type = FREEXL_CELL_NULL;   // FREEXL_CELL_*
        QString text;                  // text, date and time cells
        double number = 0;             // int and double cells
    };

    explicit XlsRead(const QString& path) { status_ = freexl_open(path.toUtf8().constData(), &handle_); }
    ~XlsRead() { if (handle_) freexl_close(handle_); }
    XlsRead(const XlsRead&) = delete;
    XlsRead& operator=(const XlsRead&) = delete;

    // FREEXL_OK when the file opened and its first sheet is selected.
    int status()
    {
        if (status_ == FREEXL_OK && !selected_) {
            status_ = freexl_select_active_worksheet(handle_, 0);
            selected_ = true;
        }
        return status_;
    }
    unsigned info(unsigned short what) const
    {
        unsigned value = 0;
        freexl_get_info(handle_, what, &value);
        return value;
    }
    QString sheetName(unsigned short index = 0) const
    {
        const char* name = nullptr;
        return freexl_get_worksheet_name(handle_, index, &name) == FREEXL_OK ? QString::fromUtf8(name) : QString();
    }
    unsigned rows() { return dimensions().first; }
    unsigned columns() { return dimensions().second; }
    Cell cell(unsigned row, unsigned short column)
    {
        status();
        FreeXL_CellValue value;
        Cell cell;
        if (freexl_get_cell_value(handle_, row, column, &value) != FREEXL_OK)
            return cell;
        cell.type = value.type;
        if (value.type == FREEXL_CELL_INT)
            cell.number = value.value.int_value;
        else if (value.type == FREEXL_CELL_DOUBLE)
            cell.number = value.value.double_value;
        else if (value.type != FREEXL_CELL_NULL)
            cell.text = QString::fromUtf8(value.value.text_value);
        return cell;
    }
    // Text of a text cell, or of a date / time cell, as the reader gives it.
    QString text(unsigned row, unsigned short column) { return cell(row, column).text; }

private:
    // The first sheet's rows and columns.
    std::pair<unsigned, unsigned short> dimensions()
    {
        status();
        unsigned rows = 0;
        unsigned short columns = 0;
        freexl_worksheet_dimensions(handle_, &rows, &columns);
        return {rows, columns};
    }

    const void* handle_ = nullptr;
    int status_ = FREEXL_OK;
    bool selected_ = false;
};
