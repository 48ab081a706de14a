// Windows metafiles built here record by record: a red rectangle drawn by each converter,
// and broken files reported without harm to this process.

#include "images/Metafiles.h"
#include "images/PictureFiles.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

class Bytes {
public:
    Bytes& u16(quint16 v) {
        uchar b[2];
        qToLittleEndian(v, b);
        m_data.append(reinterpret_cast<char*>(b), 2);
        return *this;
    }
    Bytes& u32(quint32 v) {
        uchar b[4];
        qToLittleEndian(v, b);
        m_data.append(reinterpret_cast<char*>(b), 4);
        return *this;
    }
    QByteArray data() const { return m_data; }

private:
    QByteArray m_data;
};

// A 100 x 50 EMF: a solid red brush selected, a rectangle over the whole frame.
QByteArray RedRectangleEmf() {
    Bytes records;
    records.u32(39).u32(24).u32(1).u32(0).u32(0x0000FF).u32(0); // create brush 1
    records.u32(37).u32(12).u32(1);                             // select it
    records.u32(43).u32(24).u32(0).u32(0).u32(100).u32(50);     // rectangle
    records.u32(14).u32(20).u32(0).u32(16).u32(20);             // end of file
    const QByteArray body = records.data();
    Bytes header;
    header.u32(1).u32(88);
    header.u32(0).u32(0).u32(99).u32(49);         // bounds
    header.u32(0).u32(0).u32(2600).u32(1300);     // frame in 0.01 mm
    header.u32(0x464D4520).u32(0x10000);          // " EMF", version
    header.u32(quint32(88 + body.size())).u32(5); // bytes, records
    header.u16(2).u16(0).u32(0).u32(0).u32(0);    // handles, description, palette
    header.u32(1024).u32(768).u32(270).u32(203);  // device in pixels and millimetres
    return header.data() + body;
}

// The same rectangle as a placeable WMF.
QByteArray RedRectangleWmf() {
    Bytes records;
    records.u32(5).u16(0x020B).u16(0).u16(0);                  // window origin
    records.u32(5).u16(0x020C).u16(50).u16(100);               // window extent
    records.u32(7).u16(0x02FC).u16(0).u32(0x0000FF).u16(0);    // create brush
    records.u32(4).u16(0x012D).u16(0);                         // select it
    records.u32(7).u16(0x041B).u16(50).u16(100).u16(0).u16(0); // rectangle
    records.u32(3).u16(0);                                     // end of file
    const QByteArray body = records.data();
    Bytes header;
    header.u16(1).u16(9).u16(0x0300).u32(quint32((18 + body.size()) / 2)).u16(1).u32(7).u16(0);
    Bytes placeable;
    placeable.u32(0x9AC6CDD7).u16(0).u16(0).u16(0).u16(100).u16(50).u16(96).u32(0);
    QByteArray first = placeable.data();
    quint16 sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= qFromLittleEndian<quint16>(first.constData() + i);
    placeable.u16(sum);
    return placeable.data() + header.data() + body;
}

} // namespace

class TestMetafiles : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly)) return {};
        file.write(bytes);
        return file.fileName();
    }

private slots:
    void emfIsDrawn() {
        QString error;
        const QImage image = LoadPicture(write("r.emf", RedRectangleEmf()), &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        QVERIFY(qAbs(image.width() - 100) <= 2);
        QVERIFY(qAbs(image.height() - 50) <= 2);
        QCOMPARE(image.pixel(image.width() / 2, image.height() / 2), qRgb(255, 0, 0));
    }

    void wmfIsDrawn() {
        if (QStandardPaths::findExecutable("wmf2svg").isEmpty()) QSKIP("wmf2svg is not installed");
        QString error;
        const QImage image = LoadPicture(write("r.wmf", RedRectangleWmf()), &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        QVERIFY(qAbs(image.width() - 100) <= 2);
        QCOMPARE(image.pixel(image.width() / 2, image.height() / 2), qRgb(255, 0, 0));
    }

    void brokenFilesFailCleanly_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QByteArray cut = RedRectangleEmf();
        cut.truncate(90);
        QByteArray lying = RedRectangleEmf();
        qToLittleEndian<quint32>(0x7FFFFFF0, reinterpret_cast<uchar*>(lying.data()) + 88 + 4);
        QTest::newRow("not an emf") << "a.emf" << QByteArray(120, 'x');
        QTest::newRow("cut emf") << "b.emf" << cut;
        QTest::newRow("record longer than the file") << "c.emf" << lying;
        QTest::newRow("not a wmf") << "d.wmf" << QByteArray(60, 'x');
    }
    void brokenFilesFailCleanly() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        if (name.endsWith(".wmf") && QStandardPaths::findExecutable("wmf2svg").isEmpty())
            QSKIP("wmf2svg is not installed");
        const QString path = write(name, bytes);
        QString error;
        const QImage image = LoadPicture(path, &error);
        if (image.isNull())
            QVERIFY2(error.startsWith(QString("Cannot load \"%1\": ").arg(path)),
                     qPrintable(error));
        else
            QVERIFY(image.width() > 0 && image.height() > 0);
    }
};

QTEST_MAIN(TestMetafiles)
#include "tst_metafiles.moc"
