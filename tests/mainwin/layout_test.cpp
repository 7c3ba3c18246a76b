// Layout of the main window: the splitter's clamps, the drag with its grey
// bar, and the resize.
#include "mainwin_fixture.h"

#include "mainwin/frmmain.h"

#include <QCoreApplication>

namespace {

template <class Control>
double leftOf(Control* w) { return ui::pixelsToTwips(w->x()); }
template <class Control>
double topOf(Control* w) { return ui::pixelsToTwips(w->y()); }
double widthOf(QWidget* w) { return ui::pixelsToTwips(w->width()); }
double heightOf(QWidget* w) { return ui::pixelsToTwips(w->height()); }

class MainLayout : public MainWindowTest {
protected:
    mainwin::FrmMain* frame()
    {
        openMain();
        QCoreApplication::processEvents();
        return dynamic_cast<mainwin::FrmMain*>(main_);
    }
    QWidget* widget(const char* name) { return ctl<QWidget>(name); }
    double clientWidth() { return widthOf(widget("clientArea")); }
    double clientHeight() { return heightOf(widget("clientArea")); }
};

} // namespace

TEST_F(MainLayout, SplitterIsClampedIntoTheWindow)
{
    mainwin::FrmMain* form = frame();
    const double W = form->widthTwips();
    const struct {
        double wanted;
        double placed;
    } cases[] = {{1000, 2600}, {1499, 2600}, {4005, 4005}, {W - 1000, W - 1700}};
    for (const auto& c : cases) {
        double X = c.wanted;
        form->SizeControls(X);
        EXPECT_EQ(X, c.placed);
        EXPECT_NEAR(widthOf(widget("tvTreeView")), c.placed, 15);
        EXPECT_NEAR(leftOf(widget("imgSplitter")), c.placed, 15);
        EXPECT_NEAR(leftOf(widget("DataGrid1")), c.placed + 40, 15);
        EXPECT_NEAR(widthOf(widget("DataGrid1")), clientWidth() - (c.placed + 140), 15);
        EXPECT_NEAR(heightOf(widget("DataGrid1")), clientHeight() - 1600, 15);
        EXPECT_EQ(topOf(widget("tvTreeView")), 1320);
    }
    EXPECT_NEAR(topOf(ctl<ui::Label>("Label2")), clientHeight() - 220, 15);
    EXPECT_NEAR(leftOf(ctl<ui::Label>("Label7")), leftOf(widget("command2")) + 2300, 15);
}

// While dragging, the grey bar stops 500 twips from either edge; releasing
// lays out with the splitter's clamps and hides the bar.
TEST_F(MainLayout, SplitterDrag)
{
    mainwin::FrmMain* form = frame();
    const double W = form->widthTwips();
    auto* splitter = ctl<ui::PictureButton>("imgSplitter");
    QWidget* bar = widget("picSplitter");

    splitter->onMouseDown(1, 0, 10, 10);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(widthOf(bar), 45);
    splitter->onMouseMove(1, 0, -leftOf(splitter), 10);
    EXPECT_EQ(leftOf(bar), 495);   // 500 twips, on the pixel grid
    splitter->onMouseMove(1, 0, W, 10);
    EXPECT_NEAR(leftOf(bar), W - 500, 15);
    splitter->onMouseUp(1, 0, 0, 0);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_NEAR(leftOf(splitter), W - 1700, 15);
    EXPECT_NEAR(heightOf(widget("tvTreeView")), clientHeight() - 1720, 15);

    splitter->onMouseMove(1, 0, -1000, 10);   // no drag without a press
    splitter->onMouseDown(1, 0, 0, 0);
    splitter->onMouseMove(1, 0, -leftOf(splitter) + 600, 0);
    splitter->onMouseUp(1, 0, 0, 0);
    EXPECT_NEAR(leftOf(splitter), 2600, 15);
}

TEST_F(MainLayout, ResizeMovesTheSplitterAndKeepsAMinimumWidth)
{
    mainwin::FrmMain* form = frame();
    form->showNormal();
    QCoreApplication::processEvents();
    double X = 3000;
    form->SizeControls(X);
    form->resize(900, 500);
    QCoreApplication::processEvents();
    EXPECT_NEAR(leftOf(widget("imgSplitter")), 3300, 15);
    form->resize(100, 500);
    QCoreApplication::processEvents();
    EXPECT_GE(form->widthTwips(), 3000);
}
