#include "browser/FileMask.h"
#include "browser/MaskMatcher.h"

#include <QTest>

class TestFileMask : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitMaskList_data();
    void splitMaskList();
    void matchMask_data();
    void matchMask();
    void matchMaskList();
    void displayName_data();
    void displayName();
};

void TestFileMask::splitMaskList_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("patterns");
    QTest::newRow("two html patterns") << "*.htm; *.html" << QStringList{"*.htm", "*.html"};
    QTest::newRow("bare word gets stars") << "TXT" << QStringList{"*txt*"};
    QTest::newRow("wildcard without dot gets star") << "a?c" << QStringList{"a?c*"};
    QTest::newRow("star at end stays") << "ab*" << QStringList{"ab*"};
    QTest::newRow("dot without wildcard stays") << "read.me" << QStringList{"read.me"};
    QTest::newRow("two semicolons") << ";;" << QStringList{"**", "**"};
    QTest::newRow("empty text") << "" << QStringList{"*"};
    QTest::newRow("commas, case, order") << "*.TXT,*.Doc" << QStringList{"*.doc", "*.txt"};
    QTest::newRow("blanks and final semicolon") << "  *.txt  ;" << QStringList{"*.txt"};
    QTest::newRow("sorted") << "b;a" << QStringList{"*a*", "*b*"};
    QTest::newRow("duplicates stay") << "*.txt;*.TXT" << QStringList{"*.txt", "*.txt"};
}

void TestFileMask::splitMaskList() {
    QFETCH(QString, text);
    QFETCH(QStringList, patterns);
    QCOMPARE(SplitMaskList(text), patterns);
}

void TestFileMask::matchMask_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("matches");
    QTest::newRow("t?t readme") << "*.t?t"
                                << "Readme.txt" << true;
    QTest::newRow("t?t tet") << "*.t?t"
                             << "notes.tet" << true;
    QTest::newRow("t?t too short") << "*.t?t"
                                   << "a.tx" << false;
    QTest::newRow("prefix star") << "ab*.txt"
                                 << "abc.txt" << true;
    QTest::newRow("b? two") << "a.b?"
                            << "a.bc" << true;
    QTest::newRow("b? one") << "a.b?"
                            << "a.b" << false;
    QTest::newRow("b? three") << "a.b?"
                              << "a.bcd" << false;
    QTest::newRow("no backtracking") << "*.txt"
                                     << "a.txt.txt" << false;
    QTest::newRow("txt") << "*.txt"
                         << "a.txt" << true;
    QTest::newRow("upper-case name") << "*.txt"
                                     << "A.TXT" << true;
    QTest::newRow("upper-case pattern") << "*.TXT"
                                        << "a.txt" << true;
    QTest::newRow("star dot star needs dot") << "*.*"
                                             << "README" << false;
    QTest::newRow("star dot star") << "*.*"
                                   << "readme.txt" << true;
    QTest::newRow("star") << "*"
                          << "README" << true;
    QTest::newRow("double star") << "**"
                                 << "anything" << true;
    QTest::newRow("exact other case") << "readme.txt"
                                      << "README.TXT" << true;
    QTest::newRow("exact longer") << "readme.txt"
                                  << "readme.txt.bak" << false;
    QTest::newRow("inner word") << "*txt*"
                                << "mytxtfile" << true;
    QTest::newRow("completed a?c") << "a?c*"
                                   << "abcdef" << true;
    QTest::newRow("completed a?c short") << "a?c*"
                                         << "ac" << false;
    QTest::newRow("first occurrence taken") << "*a*b"
                                            << "abab" << false;
    QTest::newRow("second literal found") << "*a*b"
                                          << "xaxb" << true;
    QTest::newRow("question one char") << "?"
                                       << "a" << true;
    QTest::newRow("question empty") << "?"
                                    << "" << false;
    QTest::newRow("question two chars") << "?"
                                        << "ab" << false;
    QTest::newRow("literal then star") << "rep*"
                                       << "report.txt" << true;
    QTest::newRow("literal not at start") << "rep*"
                                          << "xreport" << false;
}

void TestFileMask::matchMask() {
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, matches);
    QCOMPARE(MatchMask(pattern, name), matches);
    // The listing's prepared matcher must agree with the plain function.
    QCOMPARE(MaskMatcher({pattern}).matches(name), matches || name.isEmpty());
}

void TestFileMask::matchMaskList() {
    const QStringList html = SplitMaskList("*.htm; *.html");
    QVERIFY(MatchMaskList(html, "index.htm"));
    QVERIFY(MatchMaskList(html, "Page.HTML"));
    QVERIFY(!MatchMaskList(html, "notes.txt"));
    QVERIFY(MatchMaskList(html, "")); // an empty name always matches
    QVERIFY(!MatchMaskList({}, "a.txt"));
    QVERIFY(MatchMaskList({}, ""));
    QVERIFY(MatchMaskList(SplitMaskList(";;"), "README"));
    QVERIFY(!MatchMaskList(SplitMaskList("*.*"), "README"));
    QVERIFY(MatchMaskList(SplitMaskList(""), "README"));
}

void TestFileMask::displayName_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("all capitals") << "README.TXT"
                                  << "Readme.txt";
    QTest::newRow("words") << "MY FILE.TXT"
                           << "My File.txt";
    QTest::newRow("two blanks") << "TWO  WORDS"
                                << "Two  Words";
    QTest::newRow("mixed case kept") << "ReadMe.TXT"
                                     << "ReadMe.TXT";
    QTest::newRow("lower case kept") << "readme.txt"
                                     << "readme.txt";
    QTest::newRow("no letters") << "123.456"
                                << "123.456";
    QTest::newRow("accented capitals") << "\u00c4RGER.TXT"
                                       << "\u00c4rger.txt";
    QTest::newRow("leading dot") << ".PROFILE"
                                 << ".profile";
    QTest::newRow("empty") << ""
                           << "";
}

void TestFileMask::displayName() {
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(DisplayName(stored), shown);
}

QTEST_GUILESS_MAIN(TestFileMask)
#include "tst_filemask.moc"
