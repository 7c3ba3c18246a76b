// A slip on a real print queue. It needs CUPS running with the CUPS-PDF
// printer as the default printer, which a test machine sets up with
//   apt-get install cups printer-driver-cups-pdf
//   lpadmin -p HalvexPDF -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E
//   lpadmin -d HalvexPDF
// Without it (CI runs no print daemon) the test is skipped and says why.
// The slip goes through Qt's CUPS printing exactly as on a shop's machine.
#include "tests/sales/salesfixture.h"

#include "sales/deliveryslip.h"
#include "tests/support/pdftext.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QThread>

namespace {

// Where CUPS-PDF writes the jobs of this user: the "Out" line of its
// configuration, ${HOME} standing for the home folder.
QString cupsPdfFolder()
{
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    QString folder = QDir::home().filePath(QStringLiteral("PDF"));
    if (conf.open(QIODevice::ReadOnly)) {
        const QRegularExpression out(QStringLiteral(R"(^\s*Out\s+(\S+))"), QRegularExpression::MultilineOption);
        const auto match = out.match(QString::fromUtf8(conf.readAll()));
        if (match.hasMatch()) folder = match.captured(1).replace(QStringLiteral("${HOME}"), QDir::homePath());
    }
    return folder;
}

// The PDF files of the folder with the time each was last written. CUPS-PDF
// names a file after the job's title, so a slip printed before under the
// same title is overwritten, not added: a job's file is one that is new or
// was written again.
QMap<QString, QDateTime> pdfFilesIn(const QString& folder)
{
    QMap<QString, QDateTime> written;
    for (const QFileInfo& file : QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
        written.insert(file.fileName(), file.lastModified());
    return written;
}

QString writtenSince(const QString& folder, const QMap<QString, QDateTime>& before)
{
    const QMap<QString, QDateTime> now = pdfFilesIn(folder);
    for (auto file = now.begin(); file != now.end(); ++file)
        if (!before.contains(file.key()) || before.value(file.key()) != file.value())
            return QDir(folder).filePath(file.key());
    return QString();
}

class CupsSlip : public SalesTest {};

TEST_F(CupsSlip, ASlipGoesToTheDefaultPrinterAndComesOutOfTheQueue)
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull() || !printer.makeAndModel().contains(QStringLiteral("CUPS-PDF"), Qt::CaseInsensitive))
        GTEST_SKIP() << "no CUPS-PDF default printer: needs a running cupsd with the cups-pdf queue as default "
                        "(packages cups, printer-driver-cups-pdf); CI runs no print daemon";

    const QString folder = cupsPdfFolder();
    const QMap<QString, QDateTime> before = pdfFilesIn(folder);
    sales::SlipRecord slip;
    slip.printOption = QStringLiteral("窄行打印");
    slip.orderNo = QStringLiteral("SH260105-00077");
    slip.customerName = QStringLiteral("华东贸易");
    slip.address = QStringLiteral("北京路1号");
    slip.items = {{QStringLiteral("螺丝A"), QStringLiteral("L-1"), QStringLiteral("2"), QStringLiteral("12.5")}};
    slip.total = QStringLiteral("25");
    slip.printedAt = QDateTime(QDate(2026, 1, 5), QTime(9, 3, 7));

    EXPECT_EQ(sales::PrintDeliverySlip(slip), sales::SlipResult::Printed);
    EXPECT_TRUE(messages.shown().empty());

    // The queue works on its own: its file appears, or is written again, once the job is through.
    QString written;
    const QDeadlineTimer patience(60000);
    while (written.isEmpty() && !patience.hasExpired()) {
        written = writtenSince(folder, before);
        if (written.isEmpty()) QThread::msleep(200);
    }
    ASSERT_FALSE(written.isEmpty()) << "no PDF written in " << folder.toStdString();
    QThread::msleep(500);   // the backend may still be closing the file
    // CUPS-PDF draws the glyphs as pictures (no text layer): the slip's one
    // page is what can be read back.
    EXPECT_EQ(readPdf(written).size(), 1u);
    EXPECT_GT(QFileInfo(written).size(), 1000);
    QFile::remove(written);
}

} // namespace
