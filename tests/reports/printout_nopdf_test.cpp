// The envelope labels and the customer list on a machine without a printer:
// a click on the preview's print button tells the operator so and keeps the
// printout as a PDF file the operator names; declined, nothing is written.
#include "platform/print/printservice.h"
#include "platform/ui/filedialog.h"
#include "platform/ui/windows.h"
#include "tests/reports/printout_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>

namespace {

using PrintoutsWithoutPrinter = CustomerPrintouts;

void leftClick(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

TEST_F(PrintoutsWithoutPrinter, EachPrintoutIsOfferedAsAPdfFile)
{
    print::RecordingPrinter printer(dir.path());
    printer.setNoPrinter(true);
    addNumberedCustomers(2);
    setCustomerList();
    const QString offer = QStringLiteral("没有可用的打印机，请先安装并设置默认打印机。\n是否将其保存为 PDF 文件？");
    QString chosen;
    QString suggested;
    ui::setSaveFileChooser([&](const ui::SaveFileRequest& request) {
        suggested = request.suggested;
        return chosen;
    });

    const std::pair<const char*, const char*> printouts[] = {{"DataReport1", "标签打印"}, {"DataReport2", "列表打印"}};
    for (const auto& [kind, caption] : printouts) {
        SCOPED_TRACE(kind);
        ui::Form* preview = ui::Windows::open(QString::fromLatin1(kind));
        ASSERT_TRUE(preview);
        preview->show();
        auto* print = preview->control<ui::CommandButton>(QStringLiteral("cmdPrint"));

        chosen = dir.filePath(QString::fromLatin1(kind) + QStringLiteral(".pdf"));
        messages.answerNext(ui::Answer::Yes);
        leftClick(print);
        ASSERT_EQ(messages.shown().size(), 2u);
        EXPECT_EQ(messages.shown()[0].text, offer);
        EXPECT_EQ(messages.shown()[0].title, QString::fromUtf8(caption));
        EXPECT_EQ(messages.shown()[0].buttons, ui::Buttons::YesNo);
        EXPECT_EQ(messages.shown()[1].text, QStringLiteral("已保存为 PDF 文件：") + QDir::toNativeSeparators(chosen));
        EXPECT_EQ(messages.shown()[1].title, QString::fromUtf8(caption));
        messages.clear();
        EXPECT_TRUE(suggested.startsWith(QDir(dir.path()).filePath(QStringLiteral("Printouts/")) + QString::fromUtf8(caption)))
            << suggested.toStdString();
        const std::vector<PdfPage> pages = readPdf(chosen);
        ASSERT_GE(pages.size(), 1u);
        EXPECT_TRUE(pages[0].text().contains(QStringLiteral("客户01")));
        EXPECT_TRUE(pages[0].text().contains(QStringLiteral("客户02")));

        // Declined: no file, the preview stays for another try.
        QFile::remove(chosen);
        messages.answerNext(ui::Answer::No);
        leftClick(print);
        expectOnly(offer, ui::Icon::Question, QString::fromUtf8(caption));
        EXPECT_FALSE(QFile::exists(chosen));
        EXPECT_EQ(ui::Windows::loaded(QString::fromLatin1(kind)), preview);
        ui::Windows::unload(preview);
    }
    EXPECT_TRUE(printer.printed().empty());
    ui::setSaveFileChooser({});
}

} // namespace
