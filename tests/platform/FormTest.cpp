#include "platform/Form.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

void send(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButton button) {
    const QPointF local = target->mapFromGlobal(global);
    QMouseEvent event(type, local, local, global, button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

TEST(Form, FramelessWithACaptionStripThatDragsTheWindow) {
    platform::Form form("SkillAreaForm", "Skill Area");
    EXPECT_EQ(form.objectName(), "SkillAreaForm");
    EXPECT_EQ(form.windowTitle(), "Skill Area");
    EXPECT_EQ(form.caption(), "Skill Area");
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.titleStrip()->palette().color(QPalette::Window), QColor(Qt::black));

    QSignalSpy shown(&form, &platform::Form::shown);
    QSignalSpy hidden(&form, &platform::Form::hidden);
    form.move(100, 100);
    form.showForm();
    form.showForm(); // already visible: brought forward, not shown again
    EXPECT_EQ(shown.count(), 1);

    const QPoint start = form.titleStrip()->mapToGlobal(QPoint(10, 5));
    send(form.titleStrip(), QEvent::MouseButtonPress, start, Qt::LeftButton);
    send(form.titleStrip(), QEvent::MouseMove, start + QPoint(30, 20), Qt::NoButton);
    send(form.titleStrip(), QEvent::MouseButtonRelease, start + QPoint(30, 20), Qt::LeftButton);
    EXPECT_EQ(form.pos(), QPoint(130, 120));
    // Moving without a pressed button moves nothing.
    send(form.titleStrip(), QEvent::MouseMove, start + QPoint(90, 90), Qt::NoButton);
    EXPECT_EQ(form.pos(), QPoint(130, 120));

    form.hide();
    EXPECT_EQ(hidden.count(), 1);
    form.setCaption("Other");
    EXPECT_EQ(form.windowTitle(), "Other");
}

} // namespace
