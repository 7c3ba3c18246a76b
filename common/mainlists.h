#pragma once
// The main window's list procedures, which other windows call after a save.
// Each takes one complete SELECT text and shows its rows in the main grid with
// its view's columns; none changes the view key or CustListSql.
#include <QString>

class MainLists {
public:
    virtual ~MainLists() = default;
    virtual void DataGridFresh(const QString& sqlstr) = 0;
    virtual void ConnectList(const QString& sqlstr) = 0;
    virtual void ActionList(const QString& sqlstr) = 0;
    virtual void ChanceList(const QString& sqlstr) = 0;
    virtual void SalesList(const QString& sqlstr) = 0;
    virtual void ServiceList(const QString& sqlstr) = 0;
};
