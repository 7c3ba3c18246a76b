#pragma once
// The main window "Halvex客户管理软件_HvCRM单机版": the hub from which every
// other window is reached. A top band of toolbar pictures, the caller display
// and the quick-search row; the navigation tree and the record grid side by
// side with a splitter between them; the status strip along the bottom.
// The grid shows one of six list views; other windows refresh it through the
// list procedures and pop up its new-record menu.
#include "common/mainlists.h"
#include "common/newrecordmenu.h"
#include "mainwin/views.h"
#include "platform/ui/form.h"
#include "platform/ui/menus.h"
#include "platform/ui/picturebox.h"
#include "platform/ui/treeview.h"

#include <optional>

namespace mainwin {

class FrmMain : public ui::Form, public MainLists, public NewRecordMenu {
public:
    FrmMain();

    // List procedures: each shows the rows of one complete SELECT in the grid
    // with its view's columns and count; none changes the view key or CustListSql.
    void DataGridFresh(const QString& sqlstr) override;
    void ConnectList(const QString& sqlstr) override;
    void ActionList(const QString& sqlstr) override;
    void ChanceList(const QString& sqlstr) override;
    void SalesList(const QString& sqlstr) override;
    void ServiceList(const QString& sqlstr) override;

    void popupAddNew() override;

    // Lays out every moving control with the splitter wanted at X (twips),
    // clamped into the window; X holds the clamped value afterwards.
    void SizeControls(double& X);

    // The view whose rows the grid holds: the view of the list procedure that
    // last bound it, whatever the view key says. None before the first list.
    std::optional<View> gridView() const { return gridView_; }
    // The view the view key SelectFun names.
    std::optional<View> currentView() const;

    // List switches: set the view key, show the view's whole list and offer
    // its search captions; a list that cannot be read changes none of them.
    // The navigation tree runs them too.
    void image14_Click();
    bool switchToList(View view);

protected:
    void Form_Load() override;
    void Form_Paint() override;
    void Form_Resize() override;
    void Form_Unload() override;

private:
    // ---- window (frmmain.cpp)
    void createTopBand();
    void createMainArea();
    void createStatusStrip();
    void createHiddenControls();
    void readSettingsRow();
    void disableWithheldCommands();
    void disable(const QStringList& names);
    void writeStatusTexts();
    void imgSplitter_MouseDown();
    void imgSplitter_MouseMove(double X);
    void imgSplitter_MouseUp();
    double scaleWidth() const;
    double scaleHeight() const;

    // ---- navigation tree (navigationtree.cpp)
    void createTree();
    void buildTree();
    bool addGroupNodes();
    void tvTreeView_NodeClick();
    void showCustomerGroup(const QString& group);

    // ---- menus (menus.cpp)
    void createMenus();
    void openNewRecordWindow(const QString& kind);

    // ---- the other menus (menubar.cpp)
    void createFileMenu();
    void createSettingsMenu();
    void createCommandMenus();
    void openAnalysis(const QString& kind);
    void mnuCallList_Click();
    void mnuExit_Click();

    // ---- toolbar (toolbar.cpp)
    void connectToolbar();

    // ---- delete (deletecascade.cpp)
    void cmDelete_Click();

    // ---- customer export and printouts (customerexport.cpp)
    bool inCustomerView(const QString& refusal);
    void mnuExporttoexcel_Click();
    void Exporttoexcel();
    void mnuMailPrint_Click();
    void prtList_Click();
    void openPrintout(const QString& kind);

    // ---- lists (mainlists.cpp)
    bool bindList(View view, const QString& sqlstr);
    bool showList(View view, const QString& sqlstr);
    void fillSearchCaptions(const QStringList& captions);

    // ---- quick search (quicksearch.cpp)
    void command2_Click();
    void text1_KeyPress(int& KeyAscii);

    // ---- grid commands (gridcommands.cpp)
    void cmAdd_Click();
    void openNewRecord(const QString& kind);
    void DataGrid1_DblClick();
    void DataGrid1_HeadClick(int ColIndex);
    void DataGrid1PopupAddNew(int Button);

    // ---- reminders (reminders.cpp)
    void Timer1_Timer();

    ui::MenuBar* menuBar_ = nullptr;
    ui::TreeView* tvTreeView = nullptr;
    ui::PictureButton* imgSplitter = nullptr;
    ui::PictureBox* picSplitter = nullptr;
    ui::DataGrid* DataGrid1 = nullptr;
    ui::TextBox* SelectFun = nullptr;
    ui::ComboBox* ComboSearch = nullptr;
    ui::ComboBox* Combo2 = nullptr;
    ui::TextBox* text1 = nullptr;
    ui::PictureButton* command2 = nullptr;
    ui::Label* Label2 = nullptr;
    ui::Timer* Timer1 = nullptr;
    ui::Timer* SettingsTimer = nullptr;

    bool SplitterDragging = false;
    bool groupsShown_ = false;   // the customer groups were read into the tree
    std::optional<View> gridView_;
};

} // namespace mainwin
