#include "finder/WildMatch.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

namespace {

// The walk written out the slow way, backtracking through every combination of star
// positions; only fit for short strings. Trailing runs of stars and question marks take the
// rest once their question marks are served.
int slowSet(const QByteArray& p, int i, char c, int& next) {
    int k = i + 1;
    bool inverted = false;
    if (k < p.size() && (p[k] == '!' || p[k] == '^')) inverted = true, ++k;
    if (k >= p.size() || p[k] == ']') return 6;
    bool hit = false;
    for (;;) {
        if (k + 1 < p.size() && p[k + 1] == '-') {
            if (k + 2 >= p.size() || p[k + 2] == ']') return 6;
            hit = uchar(p[k]) <= uchar(c) && uchar(c) <= uchar(p[k + 2]);
            k += 3;
        } else {
            hit = p[k] == c;
            k += 1;
        }
        if (k >= p.size()) return 6;
        if (hit || p[k] == ']') break;
    }
    if (hit == inverted) return 4;
    while (k < p.size() && p[k] != ']')
        ++k;
    if (k >= p.size()) return 6;
    next = k + 1;
    return 0;
}

bool slowWalk(const QByteArray& p, int i, const QByteArray& t, int j);

bool slowStar(const QByteArray& p, int i, const QByteArray& t, int j) {
    while (i < p.size() && (p[i] == '*' || p[i] == '?')) {
        if (p[i] == '?') {
            if (j == t.size()) return false;
            ++j;
        }
        ++i;
    }
    if (i == p.size()) return true;
    for (int k = j; k < t.size(); ++k)
        if ((t[k] == p[i] || p[i] == '[') && slowWalk(p, i, t, k)) return true;
    return false;
}

bool slowWalk(const QByteArray& p, int i, const QByteArray& t, int j) {
    for (;;) {
        if (j == t.size() && i < p.size()) return p.size() - i == 1 && p[i] == '*';
        if (i == p.size()) return j == t.size();
        if (p[i] == '*') return slowStar(p, i, t, j);
        if (p[i] == '[') {
            int next = 0;
            if (slowSet(p, i, t[j], next) != 0) return false;
            i = next;
        } else {
            if (p[i] != '?' && p[i] != t[j]) return false;
            ++i;
        }
        ++j;
    }
}

bool slowMatch(const QByteArray& pattern, const QByteArray& text) {
    return slowWalk(pattern.toLower(), 0, text.toLower(), 0);
}

QByteArray randomBytes(QRandomGenerator& random, const char* alphabet, int maxLength) {
    const int length = random.bounded(maxLength + 1);
    const int choices = int(qstrlen(alphabet));
    QByteArray bytes;
    for (int k = 0; k < length; ++k)
        bytes += alphabet[random.bounded(choices)];
    return bytes;
}

} // namespace

class TestWildMatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matches_data();
    void matches();
    void codes_data();
    void codes();
    void starSearch_data();
    void starSearch();
    void manyStarsDecideQuickly();
    void agreesWithTheWalk();
};

void TestWildMatch::matches_data() {
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("match");
    const auto row = [](const char* pattern, const char* text, bool match) {
        QTest::addRow("%s ~ %s", pattern, text) << QByteArray(pattern) << QByteArray(text) << match;
    };
    row("*", "anything.txt", true);
    row("*", "", true);
    row("", "", true);
    row("", "a", false);
    row("*.*", "readme", false);
    row("*.*", "read.me", true);
    row("*.txt", "NOTES.TXT", true);
    row("*.txt", "notes.txt", true);
    row("*.txt", "notes.txt.bak", false);
    row("*.txt*", "NOTES.TXT", true);
    row("*.txt*", "notes.txt", true);
    row("*.txt*", "notes.txt.bak", true);
    row("a*", "a", true);
    row("a**", "a", false);
    row("a**", "ab", true);
    row("a?", "a", false);
    row("???", "abc", true);
    row("???", "ab", false);
    row("???", "abcd", false);
    row("[a-c]*", "apple", true);
    row("[a-c]*", "Cherry", true);
    row("[a-c]*", "date", false);
    row("[!a-c]*", "date", true);
    row("[!a-c]*", "Banana", false);
    row("[!a-c]*", "", false);
    row("[^a-c]*", "date", true);
    row("[^a-c]*", "apple", false);
    row("[c-a]*", "apple", false);
    row("[c-a]*", "b", false);
    row("[!c-a]*", "b", true);
    row("[!c-a]*", "", false);
    row("[]x", "]x", false);
    row("[]x", "ax", false);
    row("[!]x", "ax", false);
    row("[a-]x", "ax", false);
    row("[a-]x", "-x", false);
    row("[abc", "a", false);
    row("x[", "x[", false);
    row("x[", "xa", false);
    row("a\\b", "a\\b", true);
    row("a\\b", "ab", false);
    row("a]b", "a]b", true);
    row("[-a]", "-", true);
    row("[-a]", "a", true);
    row("[-a]", "b", false);
    row("\xC4*", "\xC4rger", true);
    row("\xC4*", "\xE4rger", false);
    row("*a*b", "xaxb", true);
    row("*a*b", "xaxa", false);
    row("*?", "", false);
    row("*?", "x", true);
    row("*?", "xy", true);
    row("*?*", "x", true);
    row("a*??", "ab", false);
    row("a*??", "abc", true);
    row("*??", "ab", true);
    row("*[0-9]", "file7", true);
    row("*[0-9]", "file", false);
    row("read*", "read.me", true);
    row("notes*", "NOTESBOOK.DOC", true);
}

void TestWildMatch::matches() {
    QFETCH(QByteArray, pattern);
    QFETCH(QByteArray, text);
    QFETCH(bool, match);
    QCOMPARE(WildMatch(pattern, text), match);
    QCOMPARE(WildMatchCode(pattern, text) == 1, match);
}

void TestWildMatch::codes_data() {
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("code");
    QTest::newRow("matched") << QByteArray("A?C") << QByteArray("abc") << 1;
    QTest::newRow("pattern used up") << QByteArray("ab") << QByteArray("abc") << 2;
    QTest::newRow("text used up") << QByteArray("abc") << QByteArray("ab") << 3;
    QTest::newRow("two stars after the text") << QByteArray("a**") << QByteArray("a") << 3;
    QTest::newRow("question after the text") << QByteArray("a?") << QByteArray("a") << 3;
    QTest::newRow("set refused") << QByteArray("[b-d]x") << QByteArray("ax") << 4;
    QTest::newRow("inverted set refused") << QByteArray("[!a]x") << QByteArray("ax") << 4;
    QTest::newRow("literal differs") << QByteArray("abc") << QByteArray("abd") << 5;
    QTest::newRow("empty set") << QByteArray("[]x") << QByteArray("ax") << 6;
    QTest::newRow("range to bracket") << QByteArray("[a-]x") << QByteArray("ax") << 6;
    QTest::newRow("unclosed") << QByteArray("[abc") << QByteArray("a") << 6;
    QTest::newRow("bracket at the end") << QByteArray("x[") << QByteArray("xa") << 6;
    QTest::newRow("questions outrun the text") << QByteArray("*???") << QByteArray("ab") << 3;
}

void TestWildMatch::codes() {
    QFETCH(QByteArray, pattern);
    QFETCH(QByteArray, text);
    QFETCH(int, code);
    QCOMPARE(WildMatchCode(pattern, text), code);
}

void TestWildMatch::starSearch_data() {
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("match");
    QTest::newRow("stars take the rest") << QByteArray("**") << QByteArray("abc") << true;
    QTest::newRow("backtracks") << QByteArray("*a*b") << QByteArray("xaxb") << true;
    QTest::newRow("question first") << QByteArray("*?b") << QByteArray("ab") << true;
    QTest::newRow("question then nothing") << QByteArray("*?b") << QByteArray("b") << false;
    QTest::newRow("set after star") << QByteArray("*[x-z]") << QByteArray("aay") << true;
    // The search itself compares bytes as given; only the walk it calls lower-cases.
    QTest::newRow("capital in the search") << QByteArray("*A") << QByteArray("xa") << false;
    QTest::newRow("capital in the walk") << QByteArray("*aB") << QByteArray("xab") << true;
}

void TestWildMatch::starSearch() {
    QFETCH(QByteArray, pattern);
    QFETCH(QByteArray, text);
    QFETCH(bool, match);
    QCOMPARE(WildMatchAfterStar(pattern, text) == 1, match);
}

void TestWildMatch::manyStarsDecideQuickly() {
    const QByteArray pattern = "*a*a*a*a*a*a*a*a*b";
    const QByteArray text(255, 'a');
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!WildMatch(pattern, text));
    QVERIFY(WildMatchCode(pattern, text) != 1);
    const qint64 elapsed = timer.nsecsElapsed();
    QVERIFY2(elapsed < 1'000'000, qPrintable(QString::number(elapsed)));
    QVERIFY(WildMatchAfterStar(pattern, text) != 1);
    QVERIFY(WildMatch(pattern, text + 'b'));
    QCOMPARE(WildMatchAfterStar(pattern, text + 'b'), 1);
}

void TestWildMatch::agreesWithTheWalk() {
    QRandomGenerator random(1302);
    for (int round = 0; round < 40000; ++round) {
        // Every other round stresses the sets.
        const QByteArray pattern =
            randomBytes(random, round % 2 ? "aAb*?*[]!^-" : "ab[[]]!^--*", 8);
        const QByteArray text = randomBytes(random, "aAb-]!", 6);
        const bool expected = slowMatch(pattern, text);
        if (WildMatch(pattern, text) != expected || (WildMatchCode(pattern, text) == 1) != expected)
            QFAIL(qPrintable(QStringLiteral("%1 ~ %2 should give %3")
                                 .arg(QString::fromLatin1(pattern), QString::fromLatin1(text))
                                 .arg(expected)));
        if (pattern.startsWith('*') && !text.isEmpty() &&
            (WildMatchAfterStar(pattern.toLower(), text.toLower()) == 1) != expected)
            QFAIL(qPrintable(QStringLiteral("star search %1 ~ %2")
                                 .arg(QString::fromLatin1(pattern), QString::fromLatin1(text))));
    }
}

QTEST_GUILESS_MAIN(TestWildMatch)
#include "tst_wildmatch.moc"
