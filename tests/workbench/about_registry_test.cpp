// The Wine prefix's registry: system.reg read as the platform's registry calls would read it,
// and GetKeyValue on top of it.

#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "workbench/platform/registry_lookup.h"
#include "workbench/platform/wine_registry.h"

using namespace workbench;

Q_DECLARE_METATYPE(std::string)

namespace {

constexpr const char* kKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

// Writes system.reg into folder: the header line, then body as it is.
void writeSystemReg(const QTemporaryDir& folder, const std::string& body,
                    const std::string& header = "WINE REGISTRY Version 2\n") {
    std::ofstream out(std::filesystem::path(folder.path().toStdString()) / "system.reg", std::ios::binary);
    out << header << ";; All keys relative to \\\\Machine\n\n#arch=win64\n\n" << body;
}

// The key of every case below, holding body's value lines.
std::string section(const std::string& valueLines) {
    return "[Software\\\\Microsoft\\\\Shared Tools\\\\MSINFO] 1700000000\n#time=1d9e3a4b5c6d7e8\n" +
           valueLines + "\n";
}

struct Query {
    RegStatus openStatus = kErrorSuccess;
    RegStatus status = kErrorSuccess;
    RegType type = kRegNone;
    std::string bytes;
};

Query query(const QTemporaryDir& prefix, const std::string& keyPath, const std::string& valueName,
            std::uint32_t room = 1024) {
    WineRegistry registry(prefix.path().toStdString());
    Query result;
    RegKey key = 0;
    result.openStatus = registry.openKey(kHKeyLocalMachine, keyPath, 0x2003F, key);
    if (result.openStatus != kErrorSuccess) return result;
    std::vector<std::byte> buffer(room);
    std::uint32_t count = room;
    result.status = registry.queryValue(key, valueName, result.type, buffer, count);
    if (result.status == kErrorSuccess)
        result.bytes.assign(reinterpret_cast<const char*>(buffer.data()), std::min<std::size_t>(count, room));
    registry.closeKey(key);
    return result;
}

} // namespace

class AboutRegistryTest : public QObject {
    Q_OBJECT
  private slots:
    void valueForms_data();
    void valueForms();
    void malformedValuesAreMissing_data();
    void malformedValuesAreMissing();
    void keys_data();
    void keys();
    void unusableFilesHoldNoKeys_data();
    void unusableFilesHoldNoKeys();
    void valueLongerThanTheBufferAsksForMore();
    void handles();
    void getKeyValue_data();
    void getKeyValue();
};

void AboutRegistryTest::valueForms_data() {
    QTest::addColumn<std::string>("line");
    QTest::addColumn<RegType>("type");
    QTest::addColumn<std::string>("bytes");
    using namespace std::string_literals;
    QTest::newRow("text") << "\"V\"=\"C:\\\\Tools\\\\x.exe\""s << kRegSz << "C:\\Tools\\x.exe\0"s;
    QTest::newRow("escaped quote and controls")
        << "\"V\"=\"a\\\"b\\tc\\nd\\e\""s << kRegSz << "a\"b\tc\nd\x1b\0"s;
    QTest::newRow("hex escape, Latin-1") << "\"V\"=\"caf\\xe9\""s << kRegSz << "caf\xe9\0"s;
    QTest::newRow("hex escape, code page") << "\"V\"=\"\\x20ac\""s << kRegSz << "\x80\0"s;
    QTest::newRow("hex escape of four digits, then a digit") << "\"V\"=\"\\x00411\""s << kRegSz << "A1\0"s;
    QTest::newRow("not in the code page") << "\"V\"=\"\\x4e2d!\""s << kRegSz << "?!\0"s;
    QTest::newRow("UTF-8 in the file") << "\"V\"=\"caf\xc3\xa9\""s << kRegSz << "caf\xe9\0"s;
    QTest::newRow("octal zero inside") << "\"V\"=\"a\\0b\""s << kRegSz << "a\0b\0"s;
    QTest::newRow("empty text") << "\"V\"=\"\""s << kRegSz << "\0"s;
    QTest::newRow("expandable text") << "\"V\"=str(2):\"%SystemRoot%\\\\x\""s << kRegExpandSz
                                     << "%SystemRoot%\\x\0"s;
    QTest::newRow("dword") << "\"V\"=dword:0000002a"s << kRegDword << "\x2a\0\0\0"s;
    QTest::newRow("dword, short form") << "\"V\"=dword:ff"s << kRegDword << "\xff\0\0\0"s;
    QTest::newRow("binary") << "\"V\"=hex:01,02,ff"s << kRegBinary << "\x01\x02\xff"s;
    QTest::newRow("binary, empty") << "\"V\"=hex:"s << kRegBinary << ""s;
    QTest::newRow("multi-string") << "\"V\"=hex(7):41,00,00,00,00,00"s << kRegMultiSz << "A\0\0"s;
    QTest::newRow("typed bytes") << "\"V\"=hex(b):01,00,00,00,00,00,00,00"s << RegType(11)
                                 << "\x01\0\0\0\0\0\0\0"s;
    QTest::newRow("continuation lines")
        << "\"V\"=hex:01,02,\\\n  03,\\\n  04"s << kRegBinary << "\x01\x02\x03\x04"s;
    QTest::newRow("text without its zero") << "\"V\"=hex(1):41,00,42,00"s << kRegSz << "AB"s;
    QTest::newRow("text of an odd length") << "\"V\"=hex(1):41,00,42"s << kRegSz << "A"s;
    QTest::newRow("name in other case") << "\"v\"=\"x\""s << kRegSz << "x\0"s;
    QTest::newRow("Windows line ends") << "\"V\"=\"x\"\r"s << kRegSz << "x\0"s;
    QTest::newRow("later line wins") << "\"V\"=\"old\"\n\"V\"=\"new\""s << kRegSz << "new\0"s;
    QTest::newRow("after broken lines")
        << "\"V\n=\"\"\nrubbish\n\"W\"=hex:0q\n\"V\"=\"x\""s << kRegSz << "x\0"s;
}

void AboutRegistryTest::valueForms() {
    QFETCH(std::string, line);
    QFETCH(RegType, type);
    QFETCH(std::string, bytes);
    QTemporaryDir prefix;
    writeSystemReg(prefix, section(line));
    const Query result = query(prefix, kKey, "V");
    QCOMPARE(result.status, kErrorSuccess);
    QCOMPARE(result.type, type);
    QCOMPARE(QByteArray::fromStdString(result.bytes), QByteArray::fromStdString(bytes));
}

void AboutRegistryTest::malformedValuesAreMissing_data() {
    QTest::addColumn<std::string>("line");
    QTest::newRow("unterminated text") << std::string("\"V\"=\"abc");
    QTest::newRow("text, then rubbish") << std::string("\"V\"=\"abc\" x");
    QTest::newRow("backslash at the end") << std::string("\"V\"=\"abc\\");
    QTest::newRow("no equals sign") << std::string("\"V\" \"abc\"");
    QTest::newRow("dword without digits") << std::string("\"V\"=dword:xyz");
    QTest::newRow("dword of nine digits") << std::string("\"V\"=dword:123456789");
    QTest::newRow("bad hex byte") << std::string("\"V\"=hex:01,zz");
    QTest::newRow("hex byte of three digits") << std::string("\"V\"=hex:012");
    QTest::newRow("unclosed hex type") << std::string("\"V\"=hex(2:01");
    QTest::newRow("unclosed str type") << std::string("\"V\"=str(2\"x\"");
    QTest::newRow("continuation past the section") << std::string("\"V\"=hex:01,\\");
    QTest::newRow("unknown form") << std::string("\"V\"=bogus:1");
    QTest::newRow("deleted value") << std::string("\"V\"=-");
}

void AboutRegistryTest::malformedValuesAreMissing() {
    QFETCH(std::string, line);
    QTemporaryDir prefix;
    writeSystemReg(prefix, section(line) + "[Other]\n\"V\"=\"not this one\"\n");
    QCOMPARE(query(prefix, kKey, "V").status, kErrorFileNotFound);
}

void AboutRegistryTest::keys_data() {
    QTest::addColumn<std::string>("header");
    QTest::addColumn<std::string>("keyPath");
    QTest::addColumn<bool>("found");
    const std::string header = "[Software\\\\Microsoft\\\\Shared Tools\\\\MSINFO] 1700000000";
    QTest::newRow("same spelling") << header << std::string(kKey) << true;
    QTest::newRow("other case") << header << std::string("software\\MICROSOFT\\shared tools\\msinfo") << true;
    QTest::newRow("doubled backslash")
        << header << std::string("SOFTWARE\\\\Microsoft\\Shared Tools\\MSINFO") << true;
    QTest::newRow("a parent key") << header << std::string("Software\\Microsoft") << true;
    QTest::newRow("a longer name") << header << std::string("Software\\Microsoft\\Shared Tools\\MSINFO2")
                                   << false;
    QTest::newRow("a child key") << header << std::string("Software\\Microsoft\\Shared Tools\\MSINFO\\X")
                                 << false;
    QTest::newRow("escaped bracket") << std::string("[Software\\\\A\\]B]") << std::string("Software\\A]B")
                                     << true;
    QTest::newRow("non-ASCII, other case")
        << std::string("[Software\\\\Caf\\xe9]") << std::string("SOFTWARE\\CAF\xc9") << true;
    QTest::newRow("unterminated header")
        << std::string("[Software\\\\Microsoft\\\\Shared Tools\\\\MSINFO") << std::string(kKey) << false;
}

void AboutRegistryTest::keys() {
    QFETCH(std::string, header);
    QFETCH(std::string, keyPath);
    QFETCH(bool, found);
    QTemporaryDir prefix;
    writeSystemReg(prefix, header + "\n\"V\"=\"x\"\n");
    const Query result = query(prefix, keyPath, "V");
    QCOMPARE(result.openStatus, found ? kErrorSuccess : kErrorFileNotFound);
}

void AboutRegistryTest::unusableFilesHoldNoKeys_data() {
    QTest::addColumn<std::string>("header");
    QTest::addColumn<qint64>("sizeOnDisk");
    QTest::newRow("other header") << std::string("REGEDIT4\n") << qint64(0);
    QTest::newRow("no header") << std::string() << qint64(0);
    QTest::newRow("binary rubbish") << std::string("\x01\xff\0\0", 4) << qint64(0);
    // Larger than a registry file gets: refused before it is read.
    QTest::newRow("huge") << std::string("WINE REGISTRY Version 2\n") << qint64(65) * 1024 * 1024;
}

void AboutRegistryTest::unusableFilesHoldNoKeys() {
    QFETCH(std::string, header);
    QFETCH(qint64, sizeOnDisk);
    QTemporaryDir prefix;
    writeSystemReg(prefix, section("\"V\"=\"x\""), header);
    if (sizeOnDisk > 0)
        std::filesystem::resize_file(std::filesystem::path(prefix.path().toStdString()) / "system.reg",
                                     std::uintmax_t(sizeOnDisk));
    QCOMPARE(query(prefix, kKey, "V").openStatus, kErrorFileNotFound);

    QTemporaryDir empty;
    QCOMPARE(query(empty, kKey, "V").openStatus, kErrorFileNotFound);
}

void AboutRegistryTest::valueLongerThanTheBufferAsksForMore() {
    QTemporaryDir prefix;
    writeSystemReg(prefix, section("\"V\"=\"abcd\""));
    QCOMPARE(query(prefix, kKey, "V", 5).status, kErrorSuccess);
    QCOMPARE(query(prefix, kKey, "V", 4).status, kErrorMoreData);
}

void AboutRegistryTest::handles() {
    QTemporaryDir prefix;
    writeSystemReg(prefix, section("\"V\"=\"x\""));
    WineRegistry registry(prefix.path().toStdString());
    RegKey other = 0;
    QCOMPARE(registry.openKey(0x80000001, kKey, 0x2003F, other), kErrorFileNotFound);
    QCOMPARE(other, RegKey(0));

    RegKey key = 0;
    QCOMPARE(registry.openKey(kHKeyLocalMachine, kKey, 0x2003F, key), kErrorSuccess);
    QVERIFY(key != 0);
    QCOMPARE(registry.closeKey(key), kErrorSuccess);
    std::vector<std::byte> buffer(16);
    std::uint32_t count = 16;
    RegType type = kRegNone;
    QCOMPARE(registry.queryValue(key, "V", type, buffer, count), kErrorInvalidHandle);
    QCOMPARE(registry.closeKey(key), kErrorInvalidHandle);
    QCOMPARE(registry.closeKey(0), kErrorInvalidHandle);
}

void AboutRegistryTest::getKeyValue_data() {
    QTest::addColumn<std::string>("line");
    QTest::addColumn<std::string>("valueName");
    QTest::addColumn<bool>("error");
    QTest::addColumn<bool>("read");
    QTest::addColumn<std::string>("keyValue");
    using namespace std::string_literals;
    const std::string before = "as it came";
    const std::string longest(1023, 'a');
    QTest::newRow("text") << "\"PATH\"=\"C:\\\\x.exe\""s
                          << "PATH"s << false << true << "C:\\x.exe"s;
    QTest::newRow("1024 bytes with the zero, read whole") << "\"PATH\"=\"" + longest + "\""
                                                          << "PATH"s << false << true << longest;
    QTest::newRow("1025 bytes, not read") << "\"PATH\"=\"" + longest + "b\""
                                          << "PATH"s << false << false << ""s;
    QTest::newRow("without a terminating zero") << "\"PATH\"=hex(1):41,00,42,00"s
                                                << "PATH"s << false << true << "AB"s;
    QTest::newRow("zero inside kept") << "\"PATH\"=\"a\\0b\""s
                                      << "PATH"s << false << true << "a\0b"s;
    QTest::newRow("empty text") << "\"PATH\"=\"\""s
                                << "PATH"s << false << true << ""s;
    QTest::newRow("dword in decimal") << "\"PATH\"=dword:0000002a"s
                                      << "PATH"s << false << true << "42"s;
    QTest::newRow("dword ending in a zero byte") << "\"PATH\"=dword:00000100"s
                                                 << "PATH"s << false << true << "256"s;
    QTest::newRow("largest dword") << "\"PATH\"=dword:ffffffff"s
                                   << "PATH"s << false << true << "4294967295"s;
    QTest::newRow("expandable text left as it came") << "\"PATH\"=str(2):\"C:\\\\x.exe\""s
                                                     << "PATH"s << false << true << before;
    QTest::newRow("bytes left as it came") << "\"PATH\"=hex:01,02"s
                                           << "PATH"s << false << true << before;
    QTest::newRow("no bytes at all") << "\"PATH\"=hex(1):"s
                                     << "PATH"s << true << false << before;
    QTest::newRow("missing value") << "\"Other\"=\"x\""s
                                   << "PATH"s << false << false << ""s;
    QTest::newRow("default value") << "@=\"C:\\\\y.exe\""s
                                   << ""s << false << true << "C:\\y.exe"s;
}

void AboutRegistryTest::getKeyValue() {
    QFETCH(std::string, line);
    QFETCH(std::string, valueName);
    QFETCH(bool, error);
    QFETCH(bool, read);
    QFETCH(std::string, keyValue);
    QTemporaryDir prefix;
    writeSystemReg(prefix, section(line));
    WineRegistry registry(prefix.path().toStdString());
    std::string text = "as it came";
    const auto result = GetKeyValue(registry, kHKeyLocalMachine, kKey, valueName, text);
    QCOMPARE(!result.isOk(), error);
    if (!error) QCOMPARE(result.value(), read);
    QCOMPARE(QByteArray::fromStdString(text), QByteArray::fromStdString(keyValue));

    std::string missingKey = "as it came";
    QCOMPARE(GetKeyValue(registry, kHKeyLocalMachine, "SOFTWARE\\Nothing", valueName, missingKey).value(),
             false);
    QVERIFY(missingKey.empty());
}

QTEST_GUILESS_MAIN(AboutRegistryTest)
#include "about_registry_test.moc"
