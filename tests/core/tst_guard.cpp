#include "core/CommandGuard.h"
#include "core/KorError.h"

#include "ScriptedPrompter.h"

#include <QTest>

#include <stdexcept>

class TestGuard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void errorShowsBoxAndStops();
    void abortIsSilent();
    void otherExceptionsAreShown();
    void guardedSlotCatches();
};

void TestGuard::errorShowsBoxAndStops() {
    ScriptedPrompter prompter;
    bool after = false;
    QVERIFY(!RunGuarded([&] {
        throw KorError("Cannot save file\r\nx.bin");
        after = true;
    }));
    QVERIFY(!after);
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].kind, MsgKind::Error);
    QCOMPARE(prompter.messages[0].text, QString("Cannot save file\r\nx.bin"));
    QCOMPARE(prompter.messages[0].buttons, MsgButtons(MsgButton::Ok));
}

void TestGuard::abortIsSilent() {
    ScriptedPrompter prompter;
    QVERIFY(!RunGuarded([] { throw KorAbort(); }));
    QVERIFY(prompter.messages.isEmpty());
    QVERIFY(RunGuarded([] {}));
}

void TestGuard::otherExceptionsAreShown() {
    ScriptedPrompter prompter;
    RunGuarded([] { throw std::runtime_error("disk full"); });
    QCOMPARE(prompter.messageTexts(), QStringList{"disk full"});
}

void TestGuard::guardedSlotCatches() {
    ScriptedPrompter prompter;
    QObject sender;
    int seen = 0;
    connect(&sender, &QObject::objectNameChanged, &sender, Guarded([&](const QString& name) {
        seen = name.size();
        throw KorError("bad " + name);
    }));
    sender.setObjectName("abc");
    QCOMPARE(seen, 3);
    QCOMPARE(prompter.messageTexts(), QStringList{"bad abc"});
}

QTEST_GUILESS_MAIN(TestGuard)
#include "tst_guard.moc"
