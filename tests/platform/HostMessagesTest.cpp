// Registered messages: one type per name in the whole process, parameters and answers, senders that go
// away before a posted message arrives.
#include "platform/HostMessages.h"

#include <QCoreApplication>
#include <QObject>

#include <gtest/gtest.h>

#include <thread>

namespace kw::platform {
namespace {

class Receiver : public QObject {
public:
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    QObject *source = nullptr;
    bool hadSource = false;
    int received = 0;

    bool event(QEvent *e) override
    {
        if (auto *message = HostMessageEvent::as(e, messages::PaneCreated)) {
            ++received;
            wParam = message->wParam();
            lParam = message->lParam();
            source = message->source();
            hadSource = message->hadSource();
            message->setResult(42);
            return true;
        }
        return QObject::event(e);
    }
};

TEST(HostMessages, OneTypePerNameForTheWholeProcess)
{
    const QEvent::Type first = registeredMessage(messages::CleanUpSnapIn);
    EXPECT_EQ(first, registeredMessage("KwCleanUpSnapIn"));
    EXPECT_GE(first, QEvent::User);
    EXPECT_LE(first, QEvent::MaxUser);

    QEvent::Type fromThread = QEvent::None;
    std::thread([&] { fromThread = registeredMessage(messages::CleanUpSnapIn); }).join();
    EXPECT_EQ(first, fromThread);

    EXPECT_NE(first, registeredMessage(messages::ShowFrameTitle));
    EXPECT_NE(registeredMessage(messages::ShowFrameTitle), registeredMessage(messages::PaneCreated));
}

TEST(HostMessages, SentMessagesCarryTheirParametersAndAnswer)
{
    Receiver receiver;
    QObject sender;
    EXPECT_EQ(42, sendHostMessage(&receiver, messages::PaneCreated, 7, -3, &sender));
    EXPECT_EQ(1, receiver.received);
    EXPECT_EQ(7u, receiver.wParam);
    EXPECT_EQ(-3, receiver.lParam);
    EXPECT_EQ(&sender, receiver.source);

    // Another name does not reach this receiver's handler; a null receiver is no error.
    EXPECT_EQ(0, sendHostMessage(&receiver, messages::ShowFrameTitle, 1, 1));
    EXPECT_EQ(1, receiver.received);
    EXPECT_EQ(0, sendHostMessage(nullptr, messages::PaneCreated, 1, 1));
}

TEST(HostMessages, APostedMessageTellsWhenItsSenderIsGone)
{
    Receiver receiver;
    auto *sender = new QObject;
    postHostMessage(&receiver, messages::PaneCreated, 1, 2, sender);
    EXPECT_EQ(0, receiver.received) << "posted messages wait for the event loop";
    delete sender;
    QCoreApplication::sendPostedEvents(&receiver);
    ASSERT_EQ(1, receiver.received);
    EXPECT_EQ(nullptr, receiver.source);
    EXPECT_TRUE(receiver.hadSource);
}

} // namespace
} // namespace kw::platform
