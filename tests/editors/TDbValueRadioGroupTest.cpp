#include "DataBindFixture.h"

#include "editors/TDbValueRadioGroup.h"

#include <QEnterEvent>
#include <QGridLayout>
#include <QRadioButton>

using editors::TDbValueRadioGroup;

using State = store::TableCursor::State;

namespace {

class TDbValueRadioGroupTest : public DataBindFixture {
protected:
    void SetUp() override {
        DataBindFixture::SetUp();
        group = std::make_unique<TDbValueRadioGroup>("What type of entry is this ? ");
        group->setColumns(3);
        group->setItems({"This is an Honor", "This is an Award", "This is an Achievement"});
        group->setValues({"Honor", "Award", "Achievement"});
        group->bind(cursor.get(), "Type");
    }
    void TearDown() override {
        group.reset();
        DataBindFixture::TearDown();
    }
    std::unique_ptr<TDbValueRadioGroup> group;
};

TEST_F(TDbValueRadioGroupTest, SelectsTheItemWhoseValueMatchesExactly) {
    const std::vector<std::pair<QString, int>> cases = {
        {"Honor", 0},   {"Award", 1}, {"Achievement", 2},       {"honor", -1},
        {"Honor ", -1}, {"", -1},     {"This is an Award", -1},
    };
    QStringList rows;
    for (const auto& [value, index] : cases)
        rows << QStringLiteral("('%1')").arg(value);
    run("INSERT INTO Honors (Type) VALUES " + rows.join(", "));
    cursor->open();
    for (const auto& [value, index] : cases) {
        SCOPED_TRACE(value.toStdString());
        EXPECT_EQ(group->itemIndex(), index);
        cursor->next();
    }
}

TEST_F(TDbValueRadioGroupTest, ChoosingAnItemWritesItsValue) {
    run("INSERT INTO Honors (Type) VALUES (NULL)");
    cursor->open();
    EXPECT_EQ(group->itemIndex(), -1);
    group->button(2)->click();
    EXPECT_EQ(cursor->state(), State::Edit);
    EXPECT_EQ(cursor->value("Type").toString(), "Achievement");
    cursor->post();
    EXPECT_EQ(stored("Type").toString(), "Achievement");
}

TEST_F(TDbValueRadioGroupTest, AnItemWithoutValueWritesItsCaption) {
    group->setValues({"Honor"});
    run("INSERT INTO Honors (Type) VALUES ('This is an Award')");
    cursor->open();
    EXPECT_EQ(group->itemIndex(), 1);
    group->button(2)->click();
    EXPECT_EQ(cursor->value("Type").toString(), "This is an Achievement");
}

TEST_F(TDbValueRadioGroupTest, ItemsFillColumnsTopToBottom) {
    group->setColumns(2);
    auto* layout = static_cast<QGridLayout*>(group->layout());
    const std::vector<std::pair<int, int>> cells = {{0, 0}, {1, 0}, {0, 1}};
    for (int i = 0; i < 3; ++i) {
        int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
        layout->getItemPosition(layout->indexOf(group->button(i)), &row, &column, &rowSpan,
                                &columnSpan);
        EXPECT_EQ(std::make_pair(row, column), cells[i]) << i;
    }
}

TEST_F(TDbValueRadioGroupTest, CaptionColourFollowsTheMouse) {
    auto colour = [&] { return group->button(0)->palette().color(QPalette::WindowText); };
    group->setColorEnter(Qt::red);
    EXPECT_NE(colour(), QColor(Qt::red)); // entering colour waits for the mouse
    group->setColorLeave(Qt::blue);
    EXPECT_EQ(colour(), QColor(Qt::blue)); // leaving colour applies at once

    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(group.get(), &enter);
    EXPECT_EQ(group->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(colour(), QColor(Qt::red));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(group.get(), &leave);
    EXPECT_EQ(colour(), QColor(Qt::blue));
}

TEST_F(TDbValueRadioGroupTest, ShowsAHandPointCursor) {
    EXPECT_EQ(group->cursor().shape(), Qt::PointingHandCursor);
}

} // namespace
