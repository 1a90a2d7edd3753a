#include "base/system.h"
#include "base/win32_shell.h"
#include "fonts/registry.h"
#include "fonts/system.h"
#include "fonts/win32_drives.h"
#include "fonts/win32_folders.h"
#include "fonts/win32_listing.h"
#include "fonts/win32_registry.h"
#include "preview/system.h"
#include "preview/win32_codepage.h"

#include <QTest>

// The Win32 units as the adapters see them: answers set by the test, questions kept.
namespace fake {
std::wstring folder, listed;
win32::DriveTexts drives;
std::vector<win32::DirEntry> entries;
struct Write { bool dword; std::uint32_t root; std::wstring key, name, text; std::int32_t number; };
std::vector<Write> writes;
long refusal = 0;
} // namespace fake

namespace win32 {
bool initCommonControls() { return true; }
std::wstring localAppDataFolder() { return fake::folder; }
std::wstring fontsFolder() { return fake::folder; }
DriveTexts driveTexts() { return fake::drives; }
std::vector<DirEntry> listFolder(const std::wstring &folder) { fake::listed = folder; return fake::entries; }
long setRegistryString(std::uint32_t root, const std::wstring &subkey, const std::wstring &name, const std::wstring &text)
{
    fake::writes.push_back({false, root, subkey, name, text, 0});
    return fake::refusal;
}
long setRegistryDword(std::uint32_t root, const std::wstring &subkey, const std::wstring &name, std::int32_t number)
{
    fake::writes.push_back({true, root, subkey, name, {}, number});
    return fake::refusal;
}
std::u16string ansiByteToUtf16(unsigned char byte) { return {char16_t(0x2500 + byte)}; }
} // namespace win32

// The Windows adapters' own choices, between Qt's strings and the Win32 units.
class TestWinAdapters : public QObject
{
    Q_OBJECT
private slots:
    void driveListHasACurrentDrive_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("expected");
        const QStringList drives{QStringLiteral("a:"), QStringLiteral("c: [SYSTÈME]"), QStringLiteral("z: [\\\\server\\共有]")};
        QTest::newRow("the current directory's drive") << drives << 2 << 2;
        QTest::newRow("no current drive: the first") << drives << -1 << 0;
        QTest::newRow("no drives at all") << QStringList() << -1 << -1;
    }
    void driveListHasACurrentDrive()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, current);
        QFETCH(int, expected);
        fake::drives = {{}, current};
        for (const QString &t : texts)
            fake::drives.texts.push_back(t.toStdWString());
        const fonts::DriveList list = fonts::driveList();
        QCOMPARE(list.texts, texts);
        QCOMPARE(list.current, expected);
    }

    // One folder holding every kind of entry. Each list keeps the file system's order: the "A"
    // and "a.ttf" that sorting would put first come last.
    void listingsFilterByAttributesAndName()
    {
        const unsigned long dir = win32::kAttrDirectory, hidden = win32::kAttrHidden, system = win32::kAttrSystem;
        fake::entries = {{L"Schriftarten Ü", dir | hidden}, {L"System Volume Information", dir | system}, {L"Folder.ttf", dir},
                         {L"ΩMEGA.TTF", hidden}, {L"marlett.ttf", system}, {L"readme.ttf.txt", 0}, {L"A", dir}, {L"a.ttf", 0}};
        const QString folder = QStringLiteral("C:\\Données\\");
        // Hidden folders are listed, system ones not; a folder's name is no matter.
        QCOMPARE(fonts::subfolderNames(folder), QStringList({"Schriftarten Ü", "Folder.ttf", "A"}));
        QCOMPARE(QString::fromStdWString(fake::listed), folder);
        // Hidden font files too, in any letter case; no system file, folder or other name.
        QCOMPARE(fonts::fontFileNames(folder), QStringList({"ΩMEGA.TTF", "a.ttf"}));
    }

    void ansiTextOnlyOfBytes()
    {
        QCOMPARE(preview::ansiText(-1), QString());
        QCOMPARE(preview::ansiText(0), QString(QChar(0x2500)));
        QCOMPARE(preview::ansiText(255), QString(QChar(0x25FF)));
        QCOMPARE(preview::ansiText(256), QString());
    }

    void registryWritesGoToTheirCall_data()
    {
        QTest::addColumn<uint>("root");
        QTest::addColumn<QVariant>("value"); // a QString is REG_SZ, an int REG_DWORD
        QTest::addColumn<int>("refusal");
        const uint machine = 0x80000002u, user = 0x80000001u;
        QTest::newRow("text, blanks and all, past the basic plane") << user << QVariant(QStringLiteral(" Ωmega 😀.ttf\t")) << 0;
        QTest::newRow("text refused") << machine << QVariant(QStringLiteral("zeta.ttf")) << 5;
        QTest::newRow("number refused") << user << QVariant(-5) << 87;
    }
    void registryWritesGoToTheirCall()
    {
        QFETCH(uint, root);
        QFETCH(QVariant, value);
        QFETCH(int, refusal);
        fake::writes.clear();
        fake::refusal = refusal;
        const bool dword = value.typeId() == QMetaType::Int;
        const registry::Result r = registry::systemRegistry().setValue(static_cast<registry::RootKey>(root),
            QStringLiteral("Software\\Fonts Ü\\中文"), QStringLiteral("Zeta Ωmega (TrueType)"),
            dword ? registry::Value(qint32(value.toInt())) : registry::Value(value.toString()));
        QCOMPARE(fake::writes.size(), std::size_t{1});
        const fake::Write &w = fake::writes.front();
        QCOMPARE(w.root, root);
        QCOMPARE(QString::fromStdWString(w.key), QStringLiteral("Software\\Fonts Ü\\中文"));
        QCOMPARE(QString::fromStdWString(w.name), QStringLiteral("Zeta Ωmega (TrueType)"));
        QCOMPARE(dword ? QVariant(w.number) : QVariant(QString::fromStdWString(w.text)), value);
        QCOMPARE(r.status, refusal ? registry::Status::Refused : registry::Status::Ok);
        QCOMPARE(r.code, long(refusal));
    }
};

QTEST_GUILESS_MAIN(TestWinAdapters)
#include "tst_winadapters.moc"
