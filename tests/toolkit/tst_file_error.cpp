#include "file_error.h"

#include <QTest>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

// The reasons a failed export gives: the system's causes that mean the same to a user read the
// same, and no cause lets the system's English into the Dutch sentence.
class tst_FileError : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameMeaningSameWords_data();
    void sameMeaningSameWords();
    void otherCausesGiveTheirNumber_data();
    void otherCausesGiveTheirNumber();
    void noReasonIsTheSystemsText();
};

static QString reason(int errorNumber)
{
    return QString::fromStdString(toolkit::writeFailureReason(errorNumber));
}

void tst_FileError::sameMeaningSameWords_data()
{
    QTest::addColumn<int>("cause");
    QTest::addColumn<int>("sameAs");

    QTest::addRow("a used-up quota reads as a full disk") << int(EDQUOT) << int(ENOSPC);
    QTest::addRow("an operation not permitted reads as no permission") << int(EPERM) << int(EACCES);
}

void tst_FileError::sameMeaningSameWords()
{
    QFETCH(int, cause);
    QFETCH(int, sameAs);
    QCOMPARE(reason(cause), reason(sameAs));
}

void tst_FileError::otherCausesGiveTheirNumber_data()
{
    QTest::addColumn<int>("cause");
    QTest::addColumn<QString>("expected");

    QTest::addRow("an input/output error gives its number")
        << int(EIO) << u"er ging iets mis bij het schrijven (foutcode 5)"_s;
    QTest::addRow("a number the system does not know is given as it is")
        << 100000 << u"er ging iets mis bij het schrijven (foutcode 100000)"_s;
    QTest::addRow("no number known gives none") << 0 << u"er ging iets mis bij het schrijven"_s;
}

void tst_FileError::otherCausesGiveTheirNumber()
{
    QFETCH(int, cause);
    QFETCH(QString, expected);
    QCOMPARE(reason(cause), expected);
}

void tst_FileError::noReasonIsTheSystemsText()
{
    for (int cause = 1; cause < 256; ++cause) {
        const QString system = QString::fromLocal8Bit(std::strerror(cause));
        QVERIFY2(!reason(cause).contains(system, Qt::CaseInsensitive),
                 qPrintable(u"%1: %2"_s.arg(cause).arg(reason(cause))));
    }
}

QTEST_APPLESS_MAIN(tst_FileError)
#include "tst_file_error.moc"
