#pragma once
// The main window's new-record menu " 新 建[&N]" as other windows pop it up
// (the customer card's grids); they reach it with
// ui::Windows::loaded<NewRecordMenu>("frmMain").
class NewRecordMenu {
public:
    virtual ~NewRecordMenu() = default;
    // Pops the menu up at the mouse pointer; its commands are the main window's own.
    virtual void popupAddNew() = 0;
};
