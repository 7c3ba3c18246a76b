// A list's rows held in shared blocks: every change, reorder and repack keeps
// each row's texts and tag exactly as a list of separate strings would.
#include "platform/ui/packedrows.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

struct PlainRow {
    QStringList texts;
    QString tag;
};

void expectSame(const ui::PackedRows& packed, const std::vector<PlainRow>& plain)
{
    ASSERT_EQ(packed.size(), static_cast<int>(plain.size()));
    for (int row = 0; row < packed.size(); ++row) {
        EXPECT_EQ(packed.texts(row), plain[row].texts) << "row " << row;
        EXPECT_EQ(packed.tag(row).toString(), plain[row].tag) << "row " << row;
        EXPECT_TRUE(packed.text(row, plain[row].texts.size()).isEmpty());
    }
}

TEST(PackedRows, EveryChangeReorderAndRepackKeepsTheRowsAsPlainStrings)
{
    ui::PackedRows packed;
    std::vector<PlainRow> plain;
    for (int row = 0; row < 40; ++row) {
        QStringList texts;
        for (int column = 0; column < row % 4; ++column) texts << QStringLiteral("来电%1-%2").arg(row).arg(column);
        const QString tag = row % 3 ? QString::number(row) : QString();
        packed.append(texts, tag);
        plain.push_back({texts, tag});
    }
    expectSame(packed, plain);

    // Shorter texts written in place, longer ones and missing columns moved to
    // the end, thousands of times over: the unused space is repacked away
    // many times on the way.
    QRandomGenerator random(7);
    for (int step = 0; step < 20000; ++step) {
        const int row = random.bounded(40);
        const int column = random.bounded(6);
        const QString value = QString(random.bounded(30), QChar(u'a' + step % 26));
        packed.setText(row, column, value);
        QStringList& texts = plain[row].texts;
        while (texts.size() <= column) texts.append(QString());
        texts[column] = value;
        if (step % 5000 == 0) {
            std::vector<int> order(40);
            for (int i = 0; i < 40; ++i) order[i] = 39 - i;
            packed.reorder(order);
            std::reverse(plain.begin(), plain.end());
        }
    }
    expectSame(packed, plain);

    packed.clear();
    EXPECT_EQ(packed.size(), 0);
    packed.append({QStringLiteral("again")}, u"1");
    expectSame(packed, {{{QStringLiteral("again")}, QStringLiteral("1")}});
}

} // namespace
