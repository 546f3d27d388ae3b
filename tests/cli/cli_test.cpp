// quiltane-cli: its command line, its exit codes and messages, and worked sequences run
// through the real executable whose output pictures are checked pixel by pixel.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "cli/action_table.h"
#include "cli/button_lookup.h"
#include "cli/cli.h"
#include "core/codec/bmp.h"
#include "core/library/image_library.h"
#include "stamps/history.h"
#include "tests/child_process.h"
#include "tests/cli/cli_run.h"
#include "tests/core/codec/bmp_test_fixtures.h"
#include "tests/core/picture_test_support.h"
#include "tests/file_test_support.h"

namespace {

namespace fs = std::filesystem;
using core::Rgb;
using picturetest::coordinatePicture;

constexpr std::uint8_t kSourceTag = 8, kTargetTag = 200;

// A 3 x 2 BMP with 8 bits per pixel and a three-colour palette, as the game's skins are stored.
std::vector<std::uint8_t> paletteBmp() {
    bmptest::BmpSpec file;
    file.width = 3;
    file.height = 2;
    file.coloursUsed = 3;
    file.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    file.pixels = bmptest::packRows(8, {{0, 1, 2}, {2, 2, 0}}); // bottom row first
    return bmptest::makeBmp(file);
}

class Cli : public filetest::TempFolderTest {
  protected:
    using Run = clitest::Run;
    static Run inProcess(const std::vector<std::string>& args) { return clitest::inProcess(args); }

    void SetUp() override {
        TempFolderTest::SetUp();
        source = path("source.bmp");
        dest = path("dest.bmp");
        ASSERT_TRUE(core::savePicture(coordinatePicture(256, 256, kSourceTag), source));
        ASSERT_TRUE(core::savePicture(coordinatePicture(256, 256, kTargetTag), dest));
    }

    // Runs the built executable through the shell, each argument quoted.
    Run executable(const std::vector<std::string>& args) const {
        std::string command = "'" QUILTANE_BIN_DIR "/quiltane-cli'";
        for (const std::string& arg : args) {
            std::string quoted;
            for (char c : arg)
                quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
            command += " '" + quoted + "'";
        }
        command += " >'" + path("stdout.txt") + "' 2>'" + path("stderr.txt") + "'";
        const int status = std::system(command.c_str());
        const auto slurp = [](const std::string& p) {
            std::ifstream f(p);
            return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
        };
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(path("stdout.txt")),
                slurp(path("stderr.txt"))};
    }
    // Files the test did not make itself.
    std::vector<std::string> newFiles() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            const std::string name = entry.path().filename().string();
            if (name != "source.bmp" && name != "dest.bmp" && name != "stdout.txt" && name != "stderr.txt")
                found.push_back(name);
        }
        return found;
    }

    std::string source, dest;
};

::testing::AssertionResult pictureIs(const core::Picture& picture,
                                     const std::function<Rgb(int, int)>& expected) {
    if (picture.width() != 256 || picture.height() != 256)
        return ::testing::AssertionFailure() << "size " << picture.width() << " x " << picture.height();
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            if (!(picture.pixel(x, y) == expected(x, y)))
                return ::testing::AssertionFailure() << "first wrong pixel at (" << x << ", " << y << ")";
    return ::testing::AssertionSuccess();
}

TEST_F(Cli, AWorkedSequenceOfRegionAndBandCopies) {
    const std::string out = path("skin2.bmp"), shownSource = path("shown source");
    const Run run = executable({"--source", source, "--dest", dest, "--press", "Miniskirt 200/69/24",
                                "--mark", "40", "--mark", "20", "--press", "Top", "--press", "Command15",
                                "--save", out, "--save-source", shownSource});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    auto saved = core::loadPicture(out);
    ASSERT_TRUE(saved) << saved.message();
    EXPECT_TRUE(pictureIs(saved.value(), [](int x, int y) {
        const bool skirt = x >= 90 && y >= 126;
        const bool band = x >= 90 && y >= 20 && y <= 39; // the larger mark, 40, is not copied
        const bool sleeve = x <= 89 && y >= 84 && y <= 164;
        return Rgb{std::uint8_t(x), std::uint8_t(y), skirt || band || sleeve ? kSourceTag : kTargetTag};
    }));
    // PATH exactly as given: no ".bmp" added.
    auto source = core::loadPicture(shownSource);
    ASSERT_TRUE(source) << source.message();
    EXPECT_EQ(source.value(), coordinatePicture(256, 256, kSourceTag));
}

TEST_F(Cli, TheHelpExampleMaskBodyFillShoesAndSave) {
    if (core::embeddedBmp(core::ImageId::imgLightBody).empty())
        GTEST_SKIP() << "the library pictures are not built in";
    const std::string out = path("skin2.bmp");
    const Run run = executable({"--dest", dest, "--press", "Bikini 402", "--press", "Med Fem", "--press",
                                "Black Sneakers", "--save", out});
    ASSERT_EQ(run.code, 0) << run.err;
    auto saved = core::loadPicture(out);
    ASSERT_TRUE(saved) << saved.message();
    auto& library = core::ImageLibrary::shared();
    const core::Picture& mask = library.picture(core::ImageId::imgBikini);
    const core::Picture& body = library.picture(core::ImageId::imgMedBody);
    const core::Picture& shoes = library.picture(core::ImageId::imgBlackSneakers);
    EXPECT_TRUE(pictureIs(saved.value(), [&](int x, int y) {
        const bool garment = mask.pixel(x, y) == Rgb{0, 0, 0};
        Rgb p = garment ? Rgb{std::uint8_t(x), std::uint8_t(y), kTargetTag} : body.pixel(x, y);
        if (x >= 90 && y >= 238) {
            const Rgb s = shoes.pixel(x - 90, y - 238);
            p = {std::uint8_t(p.r & s.r), std::uint8_t(p.g & s.g), std::uint8_t(p.b & s.b)};
        }
        return p;
    }));
}

// Every failure is one whole line: the file or button, the reason and the hint, with exit code
// 2 for a usage error (the command line asks for what cannot be) and 1 for a file or a stamp
// that fails. Nothing is printed on stdout and no file is left behind. "{dir}" stands for the
// test's folder.
TEST_F(Cli, EachFailureExitsWithItsCodeAndSaysItInOneWholeLine) {
    std::ofstream(path("plain")) << "not a picture";
    const std::string pipe = path("pipe.bmp");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string line;
    };
    const std::string notStamp = " cannot be pressed here: the \"Delete\" and \"About\" buttons work on the "
                                 "window's file panes and dialogs, which quiltane-cli does not have.";
    const std::vector<Case> cases = {
        // The command line.
        {{}, 2, "Nothing to do; see quiltane-cli --help."},
        {{"--frobnicate"}, 2, "Unknown option \"--frobnicate\"; see quiltane-cli --help."},
        {{"--source"}, 2, "--source needs FILE."},
        {{"--convert", "in.bmp"}, 2, "--convert needs IN OUT."},
        {{"--convert-8bit", "{dir}/dest.bmp"}, 2, "--convert-8bit needs IN OUT."},
        {{"--mark", "256"},
         2,
         "--mark needs a row of the destination canvas, a whole number from 0 to 255, not \"256\"."},
        {{"--mark", "12.5"},
         2,
         "--mark needs a row of the destination canvas, a whole number from 0 to 255, not \"12.5\"."},
        {{"--mark", "-1"},
         2,
         "--mark needs a row of the destination canvas, a whole number from 0 to 255, not \"-1\"."},
        {{"--dither", "1.5"}, 2, "--dither needs a dithering level, a number from 0 to 1, not \"1.5\"."},
        {{"--dither", "half"}, 2, "--dither needs a dithering level, a number from 0 to 1, not \"half\"."},
        {{"--dither", " 0.5"}, 2, "--dither needs a dithering level, a number from 0 to 1, not \" 0.5\"."},
        {{"--dither", "nan"}, 2, "--dither needs a dithering level, a number from 0 to 1, not \"nan\"."},
        {{"--dither", "1e400"}, 2, "--dither needs a dithering level, a number from 0 to 1, not \"1e400\"."},
        // Names and words that hold control characters are quoted, so a message stays one line
        // and sends nothing to the terminal.
        {{"--fro\nbnicate"}, 2, "Unknown option \"$'--fro\\nbnicate'\"; see quiltane-cli --help."},
        {{"--mark", "1\x1b[2J"},
         2,
         "--mark needs a row of the destination canvas, a whole number from 0 to 255, not \"$'1\\E[2J'\"."},
        {{"--dest", "{dir}/two\nlines.bmp"},
         1,
         "Cannot open $'{dir}/two\\nlines.bmp': the file does not exist."},
        {{"--dest", "{dir}/caf\xe9.bmp"}, 1, "Cannot open $'{dir}/caf\\xe9.bmp': the file does not exist."},
        {{"--dest", "{dir}/dest.bmp", "--save", "{dir}/plain/\x1b]0;title\x07.bmp"},
         1,
         "Cannot save $'{dir}/plain/\\E]0;title\\a.bmp': Not a directory."},
        // Buttons: ambiguous, unknown, not stamps.
        {{"--press", "Shirt"},
         2,
         "The button \"Shirt\" is ambiguous: press one of these by control name: Command8 \"Shirt\", "
         "Command10 \"Shirt\"."},
        {{"--press", "+"},
         2,
         "The button \"+\" is ambiguous: press one of these by control name: Command17 \"+\", Command18 "
         "\"+\"."},
        {{"--press", "Bikni"},
         2,
         "There is no button \"Bikni\". Closest: Command72 \"Bikini\", Command34 \"Tiny\", Command66 "
         "\"Bimbo\", Command96 \"b475\", Command92 \"B328\"."},
        {{"--press", "Delete"}, 2, "Command28 \"Delete\", Command37 \"Delete\"" + notStamp},
        {{"--press", "Command36"}, 2, "Command36 \"About\"" + notStamp},
        {{"--press", "about"}, 2, "Command36 \"About\"" + notStamp},
        // Files that cannot be read.
        {{"--dest", "{dir}/missing.bmp"}, 1, "Cannot open {dir}/missing.bmp: the file does not exist."},
        {{"--source", "{dir}/plain"}, 1, "Cannot open {dir}/plain: it is not a BMP or PNG file."},
        {{"--info", "{dir}/plain"}, 1, "Cannot open {dir}/plain: it is not a BMP or PNG file."},
        {{"--convert", "{dir}/nothing.bmp", "{dir}/converted.bmp"},
         1,
         "Cannot open {dir}/nothing.bmp: the file does not exist."},
        {{"--convert-8bit", "{dir}/missing.bmp", "{dir}/out.bmp"},
         1,
         "Cannot open {dir}/missing.bmp: the file does not exist."},
        // Stamps without their pictures.
        {{"--dest", "{dir}/dest.bmp", "--press", "Command1"},
         1,
         "Command1 \"Miniskirt 200/69/24\" failed: No source skin is loaded: open one in the source pane "
         "first."},
        {{"--press", "256"},
         1,
         "Command70 \"256\" failed: No destination skin is loaded: open one in the destination pane first."},
        // Files that cannot be written: into a file as if it were a folder, over a named pipe.
        {{"--dest", "{dir}/dest.bmp", "--save", "{dir}/plain/out.bmp"},
         1,
         "Cannot save {dir}/plain/out.bmp: Not a directory."},
        {{"--dest", "{dir}/dest.bmp", "--save-8bit", "{dir}/plain/out.bmp"},
         1,
         "Cannot save {dir}/plain/out.bmp: Not a directory."},
        {{"--dest", "{dir}/dest.bmp", "--save", "{dir}/pipe.bmp"},
         1,
         "Cannot save {dir}/pipe.bmp: it is a named pipe, not a file."},
    };
    const auto inDir = [&](std::string text) {
        for (std::size_t at; (at = text.find("{dir}")) != std::string::npos;)
            text.replace(at, 5, m_dir.string());
        return text;
    };
    for (const Case& c : cases) {
        std::vector<std::string> args;
        for (const std::string& arg : c.args)
            args.push_back(inDir(arg));
        SCOPED_TRACE(args.empty() ? "(no arguments)" : args.front() + " " + args.back());
        const Run run = inProcess(args);
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "quiltane-cli: " + inDir(c.line) + "\n");
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
    fs::remove(path("plain"));
    fs::remove(pipe);
    EXPECT_EQ(newFiles(), std::vector<std::string>{});
}

TEST_F(Cli, AFailedRunLeavesNoFileBehind) {
    const std::string out = path("out.bmp");
    // The stamp fails before the save is reached; the whole line is checked before anything runs.
    const std::vector<std::vector<std::string>> runs = {
        {"--dest", dest, "--press", "Top", "--save", out},
        {"--dest", dest, "--save", out, "--press", "No Such Button"},
        {"--dest", dest, "--save", out, "--mark"},
    };
    for (const auto& args : runs) {
        const Run run = executable(args);
        EXPECT_NE(run.code, 0);
        EXPECT_NE(run.err, "");
        EXPECT_EQ(newFiles(), std::vector<std::string>{}) << run.err;
    }
    EXPECT_EQ(executable({"--dest", dest, "--save", out, "--mark"}).code, 2);
    EXPECT_EQ(executable({"--dest", dest, "--press", "Top", "--save", out}).code, 1);
}

TEST_F(Cli, InfoAndConvertOnAPaletteFile) {
    const std::string palette = path("palette.bmp"), converted = path("converted.bmp");
    const auto bytes = paletteBmp();
    std::ofstream(palette, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());

    Run run = executable({"--info", palette});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "width: 3\nheight: 2\nbits per pixel: 8\ncompression: none\ncolours: 3\n");

    run = executable({"--convert", palette, converted, "--info", converted});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "width: 3\nheight: 2\nbits per pixel: 24\ncompression: none\ncolours: 3\n");
    auto original = core::loadPicture(palette), copy = core::loadPicture(converted);
    ASSERT_TRUE(original && copy);
    EXPECT_EQ(copy.value(), original.value());
    EXPECT_EQ(copy.value().pixel(0, 0), (Rgb{0, 0, 255}));
    EXPECT_EQ(copy.value().pixel(2, 1), (Rgb{0, 0, 255}));
    EXPECT_EQ(copy.value().pixel(0, 1), (Rgb{255, 0, 0}));
}

// A file whose header is whole but whose pixels are cut short: --info prints none of its facts,
// only the failure.
TEST_F(Cli, InfoOnAFileCutShortPrintsOnlyTheFailure) {
    const std::string cut = path("cut.bmp");
    auto bytes = paletteBmp();
    bytes.resize(bytes.size() - 3);
    std::ofstream(cut, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const Run run = inProcess({"--info", cut});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("quiltane-cli: Cannot open " + cut + ": ", 0), 0u) << run.err;
}

// A dithering level is any number the C library reads, within 0 and 1.
TEST_F(Cli, DitherTakesEveryWayOfWritingANumberFromZeroToOne) {
    const std::string out = path("out.bmp");
    for (const std::string level : {"0", "1", "+0.5", ".5", "5e-1", "1e-50", "0x0.8", "1.0000"}) {
        SCOPED_TRACE(level);
        const Run run = inProcess({"--dither", level, "--convert-8bit", dest, out});
        EXPECT_EQ(run.code, 0) << run.err;
    }
}

// What --list, --help, --seams and --info print cannot reach a full or closed standard output:
// the run says so on stderr and exits 1.
TEST_F(Cli, PrintingToAFullOrClosedOutputFails) {
    struct Output {
        std::string redirect, reason;
    };
    const Output outputs[] = {{">/dev/full", "No space left on device."}, {">&-", "Bad file descriptor."}};
    const std::vector<std::vector<std::string>> printing = {
        {"--list"}, {"--help"}, {"--dest", dest, "--seams"}, {"--info", dest}};
    for (const Output& output : outputs)
        for (const auto& args : printing) {
            std::string command = "'" QUILTANE_BIN_DIR "/quiltane-cli'";
            for (const std::string& arg : args)
                command += " '" + arg + "'";
            command += " " + output.redirect + " 2>'" + path("stderr.txt") + "'";
            SCOPED_TRACE(command);
            const int status = std::system(command.c_str());
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
            std::ifstream err(path("stderr.txt"));
            const std::string said(std::istreambuf_iterator<char>(err), {});
            EXPECT_EQ(said, "quiltane-cli: Cannot write to standard output: " + output.reason + "\n");
        }
}

// The palette and pixel bytes of a 256 x 256 8-bit file: everything after the 54 bytes of headers.
std::vector<std::uint8_t> paletteAndPixels(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    if (bytes.size() != 66614) return {};
    return {bytes.begin() + 54, bytes.end()};
}

TEST_F(Cli, EightBitSaves) {
    const std::string skin = QUILTANE_SOURCE_DIR "/assets/imgMedBody.bmp", out = path("skin2.bmp");
    // A game skin opened and saved unchanged keeps its palette and every index.
    Run run = executable({"--dest", skin, "--save-8bit", out, "--info", out});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find("colours")),
              "width: 256\nheight: 256\nbits per pixel: 8\ncompression: none\n");
    EXPECT_FALSE(paletteAndPixels(out).empty());
    EXPECT_EQ(paletteAndPixels(out), paletteAndPixels(skin));

    // A picture of 65,536 colours is reduced; dithering changes which indices it gets.
    const std::string plain = path("plain.bmp"), dithered = path("dithered.bmp");
    run = executable({"--convert-8bit", dest, plain, "--dither", "1", "--convert-8bit", dest, dithered});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "");
    ASSERT_EQ(paletteAndPixels(plain).size(), 66560u);
    ASSERT_EQ(paletteAndPixels(dithered).size(), 66560u);
    EXPECT_NE(paletteAndPixels(plain), paletteAndPixels(dithered));
}

TEST_F(Cli, ListNamesEveryButtonWithItsGroupAndCaption) {
    const Run run = inProcess({"--list"});
    ASSERT_EQ(run.code, 0);
    std::istringstream lines(run.out);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
        all.push_back(line);
    }
    EXPECT_EQ(all.size(), stamps::allButtons().size());
    for (const std::string expected :
         {"Command36\t\tAbout", "cmddjfld\tBody Copy\tLight  Fem", "Command56\tOutfit Masks\tBikini 402",
          "Command69\tUser Copy\tAll Top"})
        EXPECT_NE(std::find(all.begin(), all.end(), expected), all.end()) << expected;
}

TEST(ButtonLookup, NamesCaptionsAndForgivingSpelling) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Command56", "Command56"}, {"cmddjfld", "cmddjfld"},  {"Bikini 402", "Command56"},
        {"Light  Fem", "cmddjfld"}, {"light fem", "cmddjfld"}, {"  LIGHT   FEM ", "cmddjfld"},
        {"B328", "Command92"},      {"b328 l", "Command93"},   {"command39", "Command39"},
        {"Top", "Command39"},       {"256", "Command70"},      {"Command18", "Command18"},
    };
    for (const auto& [query, name] : cases) {
        auto found = cli::lookupStamp(query);
        ASSERT_TRUE(found) << query << ": " << found.message();
        EXPECT_EQ(found.value()->name, name) << query;
    }
}

// A BMP of end-of-line codes: 8192 x 8192 pixels (64 MiB of palette indices as a picture)
// from a 256 KiB file.
std::vector<std::uint8_t> bigRleBmp() {
    bmptest::BmpSpec file;
    file.width = file.height = 8192;
    file.compression = 1; // RLE8
    file.coloursUsed = 1;
    file.palette = {{10, 20, 30}};
    file.pixels.resize(8192 * 8192 / 256); // pairs of 0, 0: end of line
    return bmptest::makeBmp(file);
}

TEST_F(Cli, RunningOutOfMemoryEndsTheRunWithAMessage) {
    if (childtest::kAddressSanitizer) GTEST_SKIP() << childtest::kNoLimitUnderAsan;
    const std::string big = path("big.bmp"), out = path("out.bmp"), errors = path("stderr.txt");
    const auto bytes = bigRleBmp();
    std::ofstream(big, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const childtest::Outcome outcome = childtest::runInChild([&](std::string&) {
        const int fd = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, 2);
        const rlimit limit{40 * 1024 * 1024, 40 * 1024 * 1024}; // the program needs less than 20 MiB
        ::setrlimit(RLIMIT_AS, &limit);
        const char* cli = QUILTANE_BIN_DIR "/quiltane-cli";
        ::execl(cli, cli, "--convert", big.c_str(), out.c_str(), static_cast<char*>(nullptr));
        return 127;
    });
    EXPECT_TRUE(outcome.exited(1)) << "exit " << outcome.exitCode << ", signal " << outcome.signal;
    std::ifstream in(errors);
    const std::string message(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(message,
              "quiltane-cli: Cannot open " + big + ": not enough memory to open it (8192 × 8192).\n");
    fs::remove(big);
    EXPECT_EQ(newFiles(), std::vector<std::string>{});
}

// Whether a process has a file open in a folder (its temporary file, named or not).
bool hasFileOpenIn(pid_t pid, const fs::path& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        const fs::path target = fs::read_symlink(entry.path(), error);
        if (!error && target.string().rfind(folder.string() + "/", 0) == 0) return true;
    }
    return false;
}

TEST_F(Cli, AnInterruptedConvertLeavesNoTemporaryFile) {
    const fs::path in = m_dir / "in", out = m_dir / "out";
    fs::create_directories(in);
    fs::create_directories(out);
    const core::Picture picture = core::Picture::filled(4096, 2048, {1, 2, 3}); // 24 MiB to write
    ASSERT_TRUE(core::savePicture(picture, (in / "big.bmp").string()));
    const std::string old = "old";
    for (int signal : core::kTerminatingSignals) {
        SCOPED_TRACE(signal);
        std::ofstream(out / "skin.bmp") << old;
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            const char* cli = QUILTANE_BIN_DIR "/quiltane-cli";
            ::execl(cli, cli, "--convert", (in / "big.bmp").c_str(), (out / "skin.bmp").c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // The signal comes once the save has begun: the program has a file open in `out`.
        for (int i = 0; i < 20000 && !hasFileOpenIn(pid, out); ++i)
            ::usleep(100);
        ::kill(pid, signal);
        int status = 0;
        ::waitpid(pid, &status, 0);
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(out))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{"skin.bmp"});
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) { // finished before the signal came
            EXPECT_EQ(core::loadPicture((out / "skin.bmp").string()).value(), picture);
        } else {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "status " << status;
            EXPECT_EQ(fs::file_size(out / "skin.bmp"), old.size());
        }
    }
    fs::remove_all(in);
    fs::remove_all(out);
}

TEST_F(Cli, UndoAndRedoWalkTheHistoryOfLoadsAndPresses) {
    const std::string undone = path("undone.bmp"), redone = path("redone.bmp"),
                      reloaded = path("reloaded.bmp");
    // The second --dest replaces the skin by mistake; undo brings the cut-out skin back. The
    // marks between are not steps.
    const Run run = executable({"--source", source, "--dest", dest, "--press", "Miniskirt 200/69/24",
                                "--dest", source, "--mark", "10", "--undo", "--save", reloaded, "--undo",
                                "--save", undone, "--redo", "--save", redone});
    ASSERT_EQ(run.code, 0) << run.err;
    auto picture = [](const std::string& p) { return core::loadPicture(p).value(); };
    const auto skirt = [](int x, int y) {
        return Rgb{std::uint8_t(x), std::uint8_t(y), x >= 90 && y >= 126 ? kSourceTag : kTargetTag};
    };
    EXPECT_TRUE(pictureIs(picture(reloaded), skirt));
    EXPECT_EQ(picture(undone), coordinatePicture(256, 256, kTargetTag));
    EXPECT_TRUE(pictureIs(picture(redone), skirt));

    // Nothing to undo or redo is a usage error, after the actions before it took effect.
    struct Case {
        std::vector<std::string> args;
        const char* says;
    };
    const Case cases[] = {
        {{"--undo"}, "nothing to undo"},
        {{"--dest", dest, "--undo", "--undo"}, "nothing to undo"},
        {{"--dest", dest, "--redo"}, "nothing to redo"},
        {{"--dest", dest, "--undo", "--press", "Mask", "--redo"}, "nothing to redo"},
    };
    for (const Case& c : cases) {
        const Run failed = inProcess(c.args);
        EXPECT_EQ(failed.code, 2) << failed.err;
        EXPECT_NE(failed.err.find(c.says), std::string::npos) << failed.err;
    }
}

// A press that changes nothing is still a step: --undo takes back that press, not the load
// before it, in a single run and in a batch.
TEST_F(Cli, UndoAfterAPressThatChangesNothingKeepsTheSkinLoaded) {
    fs::create_directories(m_dir / "out");
    const std::string single = path("single.bmp");
    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::string saved;
    };
    const Case cases[] = {
        {"All Top", {"--dest", dest, "--press", "All Top", "--undo", "--save", single}, single},
        {"the lower +", {"--dest", dest, "--press", "Command18", "--undo", "--save", single}, single},
        {"a batch",
         {"--each", dest, "--out", path("out"), "--press", "All Top", "--undo"},
         path("out/dest.bmp")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Run run = inProcess(c.args);
        ASSERT_EQ(run.code, 0) << run.err;
        auto saved = core::loadPicture(c.saved);
        ASSERT_TRUE(saved) << saved.message();
        EXPECT_EQ(saved.value(), coordinatePicture(256, 256, kTargetTag));
    }
}

// A load the history cannot keep leaves nothing to undo, and --undo says why.
TEST_F(Cli, UndoAfterALoadTooLargeToKeepSaysSo) {
    // 8192 x 8192 indices alone fill the history's 64 MB.
    static_assert(std::size_t(8192) * 8192 >= stamps::History::kMaxBytes);
    const std::string big = path("big.bmp");
    {
        const std::vector<std::uint8_t> bytes = bigRleBmp();
        std::ofstream(big, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    const Run run = inProcess({"--dest", dest, "--press", "Mask", "--dest", big, "--undo"});
    EXPECT_EQ(run.code, 2) << run.err;
    EXPECT_NE(run.err.find("nothing to undo (\"Open big.bmp\" was too large to keep"), std::string::npos)
        << run.err;
}

TEST_F(Cli, HelpDocumentsEveryActionAndAnExample) {
    const Run run = executable({"--help"});
    EXPECT_EQ(run.code, 0);
    for (const char* part : {"--source FILE", "--dest FILE", "--mark ROW", "--press BUTTON", "--save PATH",
                             "--save-source PATH", "--list", "--convert IN OUT", "--info FILE",
                             "--save-8bit PATH", "--convert-8bit IN OUT", "--dither LEVEL", "--undo",
                             "--redo", "Exit status", "\"Bikini 402\"", "\"Med Fem\"", "\"Black Sneakers\""})
        EXPECT_NE(run.out.find(part), std::string::npos) << part;
}

// The options named in "--a, --b and --c".
std::set<std::string> optionsListed(const std::string& list) {
    std::set<std::string> options;
    std::istringstream words(list);
    for (std::string word; words >> word;)
        if (word != "and") options.insert(word.back() == ',' ? word.substr(0, word.size() - 1) : word);
    return options;
}

// Every row does something: it runs, or it sets part of a batch, as its batch rule says; a row
// that a batch refuses says why.
TEST(ActionTable, EveryRowIsWhole) {
    for (const cli::ActionRow& action : cli::allActions()) {
        SCOPED_TRACE(std::string(action.option));
        const bool shapes = action.batch.kind == cli::BatchRule::Kind::Shapes;
        EXPECT_NE(action.does.parse, nullptr);
        EXPECT_EQ(action.does.run == nullptr, shapes);
        EXPECT_EQ(action.does.shape != nullptr, shapes);
        EXPECT_EQ(action.batch.kind == cli::BatchRule::Kind::Refused, !action.batch.reason.empty());
    }
}

// The help is made from the action table: every row's option and arguments are followed by its
// whole paragraph, under "Actions:" or, for the options of a batch, under "Batches:"; the
// sentence on batches names each action that runs in a batch and each that a batch refuses.
TEST_F(Cli, HelpListsEveryRowOfTheActionTable) {
    const Run run = inProcess({"--help"});
    ASSERT_EQ(run.code, 0);
    // Wrapping and the option column aside: every run of blanks and line breaks as one blank.
    std::string help;
    for (char c : run.out)
        if (!std::isspace(static_cast<unsigned char>(c)) || (!help.empty() && help.back() != ' '))
            help += std::isspace(static_cast<unsigned char>(c)) ? ' ' : c;
    const std::size_t actions = help.find(" Actions: "), batches = help.find(" Batches: "),
                      batchRules = help.find(" In a batch ");
    ASSERT_LT(actions, batches);
    ASSERT_LT(batches, batchRules);

    std::set<std::string> runInBatch, refusedInBatch;
    for (const cli::ActionRow& row : cli::allActions()) {
        std::string paragraph = " " + std::string(row.option);
        if (!row.argumentNames.empty()) paragraph += " " + std::string(row.argumentNames);
        paragraph += " " + std::string(row.help) + " ";
        const std::size_t at = help.find(paragraph);
        ASSERT_NE(at, std::string::npos) << paragraph;
        const bool ofTheBatch = row.batch.kind == cli::BatchRule::Kind::Shapes;
        EXPECT_GT(at, ofTheBatch ? batches : actions) << row.option;
        EXPECT_LT(at, ofTheBatch ? batchRules : batches) << row.option;
        if (row.batch.kind == cli::BatchRule::Kind::Runs) runInBatch.insert(std::string(row.option));
        if (row.batch.kind == cli::BatchRule::Kind::Refused) refusedInBatch.insert(std::string(row.option));
    }

    const std::string runs = " work as in one run. ", refused = " cannot be used";
    const std::size_t runsEnd = help.find(runs, batchRules), refusedEnd = help.find(refused, batchRules);
    ASSERT_LT(runsEnd, refusedEnd);
    const std::size_t runsStart = batchRules + std::string(" In a batch ").size();
    EXPECT_EQ(optionsListed(help.substr(runsStart, runsEnd - runsStart)), runInBatch);
    const std::size_t refusedStart = runsEnd + runs.size();
    EXPECT_EQ(optionsListed(help.substr(refusedStart, refusedEnd - refusedStart)), refusedInBatch);
}

} // namespace
