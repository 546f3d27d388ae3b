// quiltane-cli --each: each input's output is byte for byte what a single run on it writes;
// the refusals change nothing; a failing input fails alone; no input is ever saved over, however
// the output folder changes during the run; the progress bar shows only on a terminal, and the
// report is failure lines and a summary.

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <new>
#include <set>
#include <sstream>

#include "cli/action_table.h"
#include "cli/batch.h"
#include "cli/progress.h"
#include "core/atomic_file.h"
#include "core/codec/bmp.h"
#include "core/library/image_library.h"
#include "tests/cli/cli_run.h"
#include "tests/file_test_support.h"
#include "tests/stamps/stamp_test_support.h"

namespace {

namespace fs = std::filesystem;
using filetest::namesIn;
using filetest::readAll;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Inputs in in/, an empty out/; the source skin beside them.
class Batch : public filetest::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        fs::create_directories(m_dir / "in");
        fs::create_directories(m_dir / "out");
        source = path("source.bmp");
        ASSERT_TRUE(
            core::savePicture(stamps_test::coordinatePicture(256, 256, stamps_test::kSourceTag), source));
    }
    void TearDown() override {
        core::testing::saveSeams() = {};
        TempFolderTest::TearDown();
    }

    // in/NAME holding a coordinate picture tagged tag; its path.
    std::string input(const std::string& name, std::uint8_t tag) const {
        const std::string at = path("in/" + name);
        EXPECT_TRUE(core::savePicture(stamps_test::coordinatePicture(256, 256, tag), at));
        return at;
    }

    // "{in}", "{out}" and "{dir}" replaced by the folders.
    std::string placed(std::string text) const {
        for (const auto& [key, folder] : {std::pair<std::string, std::string>{"{in}", path("in")},
                                          {"{out}", path("out")},
                                          {"{dir}", m_dir.string()}})
            for (std::size_t at; (at = text.find(key)) != std::string::npos;)
                text.replace(at, key.size(), folder);
        return text;
    }
    std::vector<std::string> placed(const std::vector<std::string>& args) const {
        std::vector<std::string> result;
        for (const std::string& arg : args)
            result.push_back(placed(arg));
        return result;
    }

    std::string source;
};

TEST_F(Batch, EachOutputIsWhatASingleRunOnItsInputWrites) {
    const bool library = !core::embeddedBmp(core::ImageId::imgLightBody).empty();
    struct Case {
        const char* label;
        const char* out; // --out or --out-8bit
        std::vector<std::string> actions;
    };
    std::vector<Case> cases = {
        {"region and band copies, undo and redo",
         "--out",
         {"--source", "{dir}/source.bmp", "--press", "Miniskirt 200/69/24", "--mark", "40", "--mark", "20",
          "--press", "Top", "--undo", "--press", "Command15", "--undo", "--redo"}},
        {"8-bit, colours reduced with dithering",
         "--out-8bit",
         {"--dither", "0.5", "--source", "{dir}/source.bmp", "--press", "Command1"}},
    };
    if (library)
        cases.push_back({"cookie cutter and shoes, 8-bit",
                         "--out-8bit",
                         {"--press", "Bikini 402", "--press", "Med Fem", "--press", "Black Sneakers"}});

    std::vector<std::string> inputs;
    for (int i = 0; i < 5; ++i)
        inputs.push_back(input("skin" + std::to_string(i) + ".bmp", std::uint8_t(40 + 4 * i)));
    // A game skin: an 8-bit file whose palette the 8-bit save keeps.
    inputs.push_back(path("in/body.bmp"));
    fs::copy_file(QUILTANE_SOURCE_DIR "/assets/imgMedBody.bmp", inputs.back());

    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove_all(m_dir / "out");
        fs::remove_all(m_dir / "single");
        fs::create_directories(m_dir / "out");
        fs::create_directories(m_dir / "single");
        const std::vector<std::string> actions = placed(c.actions);

        std::vector<std::string> args = {"--each"};
        args.insert(args.end(), inputs.begin(), inputs.end());
        args.insert(args.end(), {c.out, path("out"), "--jobs", "3"});
        args.insert(args.end(), actions.begin(), actions.end());
        const clitest::Run batch = clitest::inProcess(args);
        ASSERT_EQ(batch.code, 0) << batch.err;
        EXPECT_EQ(batch.err, "6 skins: 6 saved, 0 failed\n");

        for (const std::string& in : inputs) {
            const std::string name = fs::path(in).filename().string();
            std::vector<std::string> single = {"--dest", in};
            single.insert(single.end(), actions.begin(), actions.end());
            single.insert(single.end(),
                          {std::string(c.out) == "--out" ? "--save" : "--save-8bit", path("single/" + name)});
            const clitest::Run run = clitest::inProcess(single);
            ASSERT_EQ(run.code, 0) << run.err;
            const filetest::Bytes expected = readAll(path("single/" + name));
            ASSERT_FALSE(expected.empty());
            EXPECT_EQ(readAll(path("out/" + name)), expected) << name;
        }
        EXPECT_EQ(namesIn(m_dir / "out").size(), inputs.size()); // and nothing else
    }
}

TEST_F(Batch, RefusalsAreUsageErrorsThatChangeNothing) {
    input("a.bmp", 40);
    input("b.bmp", 44);
    fs::create_directories(m_dir / "other");
    input("../other/a.bmp", 48);
    std::ofstream(path("plain")) << "not a folder";
    fs::create_symlink("../in/b.bmp", m_dir / "out" / "b.bmp");
    // Outputs that are one file: a link to another output, a second name of it.
    for (const char* name : {"c.bmp", "d.bmp", "e.bmp", "f.bmp"})
        input(name, 52);
    std::ofstream(path("out/c.bmp")) << "an old output";
    fs::create_symlink("c.bmp", m_dir / "out" / "d.bmp");
    std::ofstream(path("out/e.bmp")) << "an old output";
    fs::create_hard_link(m_dir / "out" / "e.bmp", m_dir / "out" / "f.bmp");
    fs::create_directory_symlink("in", m_dir / "in-link");
    fs::create_directory_symlink("loop", m_dir / "loop");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"--each", "{in}/a.bmp", "--out", "{dir}/missing"},
         "--out: the folder {dir}/missing does not exist."},
        {{"--each", "{in}/a.bmp", "--out-8bit", "{dir}/plain"}, "--out-8bit: {dir}/plain is not a folder."},
        {{"--each", "{in}/a.bmp", "--out", "{dir}/loop"},
         "--out: {dir}/loop is a link that leads round in a loop."},
        // Names with control characters are quoted, so a message stays one line.
        {{"--each", "{in}/x\n.bmp", "{dir}/other/x\n.bmp", "--out", "{out}"},
         "--each: $'{in}/x\\n.bmp' and $'{dir}/other/x\\n.bmp' have the same name; both would be saved as "
         "$'{out}/x\\n.bmp'."},
        {{"--each", "{in}/a.bmp", "--out", "{out}", "--dest", "{in}/\x1b[1m.bmp"},
         "--dest $'{in}/\\E[1m.bmp' cannot be used with --each: each input is opened as the destination."},
        {{"--each", "{in}/a.bmp", "--out", "{in}"}, "--out: {in}/a.bmp would be saved over itself."},
        {{"--each", "{in}/a.bmp", "{in}/b.bmp", "--out", "{out}"},
         "--out: {in}/b.bmp would be saved over itself."}, // out/b.bmp is a link to it
        {{"--each", "{in}/a.bmp", "--out", "{dir}/in-link"}, "--out: {in}/a.bmp would be saved over itself."},
        {{"--each", "{dir}/in-link/a.bmp", "--out", "{in}"},
         "--out: {dir}/in-link/a.bmp would be saved over itself."},
        {{"--each", "{in}/a.bmp", "{in}/c.bmp", "{in}/d.bmp", "--out", "{out}"},
         "--out: {out}/c.bmp and {out}/d.bmp are one file; {in}/c.bmp and {in}/d.bmp would both be saved to "
         "it."},
        {{"--each", "{in}/f.bmp", "{in}/e.bmp", "--out-8bit", "{out}"},
         "--out-8bit: {out}/f.bmp and {out}/e.bmp are one file; {in}/f.bmp and {in}/e.bmp would both be "
         "saved "
         "to it."},
        {{"--each", "{in}/a.bmp", "{dir}/other/a.bmp", "--out", "{out}"},
         "--each: {in}/a.bmp and {dir}/other/a.bmp have the same name; both would be saved as {out}/a.bmp."},
        {{"--each", "{in}/a.bmp", "--out", "{out}", "--save", "{out}/x.bmp"},
         "--save {out}/x.bmp cannot be used with --each: every input would be saved as the same PATH; --out "
         "DIR "
         "saves each under its own name."},
        {{"--each", "{in}/a.bmp", "--out", "{out}", "--dest", "{in}/b.bmp"},
         "--dest {in}/b.bmp cannot be used with --each: each input is opened as the destination."},
        {{"--each", "{in}/a.bmp", "--out", "{out}", "--seams"},
         "--seams cannot be used with --each: the lines of every input would run together."},
        {{"--each", "{in}/a.bmp", "--out", "{out}", "--list"},
         "--list cannot be used with --each: it works on no input; run it on its own."},
        {{"--each", "{in}/a.bmp", "--out", "{out}", "--each", "{in}/b.bmp"},
         "--each may be given only once."},
        {{"--each", "{in}/a.bmp"}, "--each needs one of --out DIR and --out-8bit DIR, once."},
        {{"--each", "{in}/a.bmp", "--out", "{out}", "--out-8bit", "{out}"},
         "--each needs one of --out DIR and --out-8bit DIR, once."},
        {{"--each", "--out", "{out}"}, "--each needs FILE..., one file or more."},
        {{"--out", "{out}", "--dest", "{in}/a.bmp"},
         "--out {out} works only with --each FILE...; see quiltane-cli --help."},
        {{"--each", "{in}/a.bmp", "--out", "{out}", "--jobs", "0"},
         "--jobs needs a number of threads, a whole number from 1 up, not \"0\"."},
        {{"--each", "{in}/a.bmp", "--out", "{out}", "--jobs", "two"},
         "--jobs needs a number of threads, a whole number from 1 up, not \"two\"."},
    };
    const std::vector<std::string> before = namesIn(m_dir / "out");
    for (const Case& c : cases) {
        const std::vector<std::string> args = placed(c.args);
        SCOPED_TRACE(placed(c.message));
        const clitest::Run run = clitest::inProcess(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.err, "quiltane-cli: " + placed(c.message) + "\n");
        EXPECT_EQ(namesIn(m_dir / "out"), before);
    }
}

// Every action the table refuses in a batch is refused with its row's reason, and every action
// it lets run is not refused.
TEST_F(Batch, EachRowsRuleDecidesWhetherABatchRefusesIt) {
    const std::string in = input("a.bmp", 40);
    // An argument of each name that the row reads without complaint.
    const std::map<std::string, std::string> sample = {
        {"FILE", path("x.bmp")},
        {"BODY", "imgLightBody"},
        {"[BODY...]", "imgMedBody"},
        {"DIR", path("out")},
        {"NAME", "Sundress"},
        {"PATH", path("x.bmp")},
        {"IN", path("x.bmp")},
        {"OUT", path("y.bmp")},
        {"ROW", "10"},
        {"YAW", "90"},
        {"LEVEL", "0.5"},
        {"BUTTON", "Top"},
        {"DE", "2"},
        {"X", "10"},
        {"Y", "10"},
        {"COLOUR", "#ff0000"},
        {"FROM", "#ff0000"},
        {"TO", "#00ff00"},
        {"SIDE", "left"},
        {"MASK", "imgBikini"},
        {"HUE", "30"},
        {"SATURATION", "10"},
        {"LIGHTNESS", "-10"},
        {"WIDTH", "3"},
        {"SEAM", "arms"},
    };
    for (const cli::ActionRow& row : cli::allActions()) {
        const cli::BatchRule::Kind kind = row.batch.kind;
        if (kind != cli::BatchRule::Kind::Runs && kind != cli::BatchRule::Kind::Refused) continue;
        std::string given(row.option);
        std::vector<std::string> args = {"--each", in, "--out", path("out"), given};
        std::istringstream names{std::string(row.argumentNames)};
        for (std::string name; names >> name;) {
            ASSERT_TRUE(sample.count(name)) << "no sample argument for " << name;
            args.push_back(sample.at(name));
            given += " " + sample.at(name);
        }
        SCOPED_TRACE(given);
        const clitest::Run run = clitest::inProcess(args);
        if (kind == cli::BatchRule::Kind::Refused) {
            EXPECT_EQ(run.code, 2);
            EXPECT_EQ(run.err, "quiltane-cli: " + given +
                                   " cannot be used with --each: " + std::string(row.batch.reason) + ".\n");
        } else {
            EXPECT_EQ(run.err.find("cannot be used"), std::string::npos) << run.err;
        }
    }
}

TEST_F(Batch, AFailingInputFailsAloneAndIsNamedWithItsReason) {
    const std::string good0 = input("skin0.bmp", 40), good1 = input("skin1.bmp", 44);
    const std::string blocked = input("skin2.bmp", 48);
    fs::create_directories(m_dir / "out" / "skin2.bmp"); // its output cannot be written
    std::ofstream(path("in/plain.bmp")) << "not a picture";
    const clitest::Run run = clitest::inProcess(placed(
        {"--each", "{in}/skin0.bmp", "{in}/missing.bmp", "{in}/plain.bmp", "{in}/skin1.bmp", "{in}/skin2.bmp",
         "--out", "{out}", "--jobs", "2", "--source", "{dir}/source.bmp", "--press", "Short Sleeves"}));
    EXPECT_EQ(run.code, 1);
    std::vector<std::string> lines = linesOf(run.err);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "5 skins: 2 saved, 3 failed");
    lines.pop_back();
    // Failures come in the order they happen, one line each.
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(
        lines,
        (std::vector<std::string>{
            placed("quiltane-cli: {in}/missing.bmp: Cannot open {in}/missing.bmp: the file does not "
                   "exist."),
            placed("quiltane-cli: {in}/plain.bmp: Cannot open {in}/plain.bmp: it is not a BMP or PNG file."),
            placed("quiltane-cli: {in}/skin2.bmp: Cannot save {out}/skin2.bmp: it is a folder, not a "
                   "file."),
        }));
    EXPECT_EQ(namesIn(m_dir / "out"), (std::vector<std::string>{"skin0.bmp", "skin1.bmp", "skin2.bmp"}));
    for (const std::string name : {"skin0.bmp", "skin1.bmp"}) {
        auto saved = core::loadPicture(path("out/") + name);
        ASSERT_TRUE(saved) << saved.message();
        // "Short Sleeves" copied the source's columns 0 to 89, rows 84 to 164, over the input's.
        EXPECT_EQ(saved.value().pixel(10, 100).b, stamps_test::kSourceTag) << name;
        EXPECT_NE(saved.value().pixel(100, 10).b, stamps_test::kSourceTag) << name;
    }
}

// The output folder, or a name in it, changed while the batch runs (by the save's seam, as the
// first output is written, one thread working): the outputs still go into the folder the batch
// began with, and an output that would replace an input fails alone. No input ever changes.
TEST_F(Batch, NoInputIsSavedOverWhateverTheOutputFolderBecomesDuringTheRun) {
    constexpr int kInputs = 6;
    struct Case {
        const char* label;
        std::function<void(const fs::path& dir)> change;
        int code;
        std::vector<std::string> failures; // in input order, "{in}", "{out}" and "{dir}" replaced
        const char* savedIn;               // where the outputs that were saved are, relative to dir
        std::vector<std::string> savedNames;
    };
    const std::vector<std::string> all = {"skin0.bmp", "skin1.bmp", "skin2.bmp",
                                          "skin3.bmp", "skin4.bmp", "skin5.bmp"};
    std::vector<std::string> removed;
    for (const std::string& name : all)
        removed.push_back("quiltane-cli: {in}/" + name + ": Cannot save {out}/" + name +
                          ": its folder has been removed.");
    const std::string replacesInput = "quiltane-cli: {in}/skin2.bmp: Cannot save {out}/skin2.bmp: it would "
                                      "replace the input {in}/skin2.bmp, which was left as it was.";
    const std::vector<Case> cases = {
        {"out removed, a link to in/ in its place",
         [](const fs::path& dir) {
             fs::remove(dir / "out");
             fs::create_directory_symlink("in", dir / "out");
         },
         1,
         removed,
         nullptr,
         {}},
        {"out moved aside, a link to in/ in its place",
         [](const fs::path& dir) {
             fs::rename(dir / "out", dir / "moved");
             fs::create_directory_symlink("in", dir / "out");
         },
         0,
         {},
         "moved",
         all},
        {"an output made a link to its input",
         [](const fs::path& dir) { fs::create_symlink("../in/skin2.bmp", dir / "out" / "skin2.bmp"); },
         1,
         {replacesInput},
         "out",
         all}, // the link stays
        {"an output made a second name of its input",
         [](const fs::path& dir) {
             fs::create_hard_link(dir / "in" / "skin2.bmp", dir / "out" / "skin2.bmp");
         },
         1,
         {replacesInput},
         "out",
         all}, // the second name stays
    };
    std::vector<std::string> args = {"--each"};
    for (int i = 0; i < kInputs; ++i)
        args.push_back(input(all[std::size_t(i)], std::uint8_t(40 + 4 * i)));
    // Every output differs from its input.
    args.insert(args.end(),
                {"--out", path("out"), "--jobs", "1", "--source", source, "--press", "Short Sleeves"});
    std::map<std::string, filetest::Bytes> inputs;
    for (const std::string& name : all)
        inputs[name] = readAll(m_dir / "in" / name);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        for (const char* folder : {"out", "moved"}) // out may be a link
            fs::remove_all(m_dir / folder);
        fs::create_directory(m_dir / "out");
        bool changed = false;
        core::testing::saveSeams().whileWriting = [&] {
            if (!std::exchange(changed, true)) c.change(m_dir);
        };
        const clitest::Run run = clitest::inProcess(args);
        core::testing::saveSeams() = {};
        ASSERT_TRUE(changed);

        EXPECT_EQ(run.code, c.code);
        std::vector<std::string> report = linesOf(run.err);
        std::sort(report.begin(), report.end() - 1);
        std::vector<std::string> expected = placed(c.failures);
        expected.push_back("6 skins: " + std::to_string(kInputs - int(c.failures.size())) + " saved, " +
                           std::to_string(c.failures.size()) + " failed");
        EXPECT_EQ(report, expected);
        for (const std::string& name : all)
            EXPECT_EQ(readAll(m_dir / "in" / name), inputs[name]) << name << " changed";
        EXPECT_EQ(namesIn(m_dir / "in"), all);
        if (c.savedIn != nullptr) {
            EXPECT_EQ(namesIn(m_dir / c.savedIn), c.savedNames);
        }
    }
}

// A folder below the fixture's whose absolute path is longer than the longest the system
// resolves (PATH_MAX), made a name at a time from its parent's handle, and the working folder
// while the object lives. Removed the same way.
class DeepFolder {
  public:
    explicit DeepFolder(const fs::path& under) : m_back(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        int folder = ::open(under.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        m_top = ::dup(folder);
        for (int level = 0; level < kLevels && folder >= 0; ++level) {
            ::mkdirat(folder, kName.c_str(), 0700);
            const int next = ::openat(folder, kName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::close(folder);
            folder = next;
        }
        m_made = folder >= 0 && ::fchdir(folder) == 0;
        if (folder >= 0) ::close(folder);
    }
    ~DeepFolder() {
        if (::fchdir(m_back) != 0) std::abort();
        removeAt(m_top, kName);
        ::close(m_top);
        ::close(m_back);
    }
    bool made() const { return m_made; }

  private:
    static constexpr int kLevels = 20; // of 250 bytes each: 5,000 bytes and more
    inline static const std::string kName = std::string(250, 'd');

    static void removeAt(int parent, const std::string& name) {
        const int folder = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (folder >= 0) {
            DIR* entries = ::fdopendir(folder);
            std::vector<std::pair<std::string, bool>> found;
            while (const dirent* entry = ::readdir(entries))
                if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                    found.emplace_back(entry->d_name, entry->d_type == DT_DIR);
            for (const auto& [inside, isFolder] : found)
                isFolder ? removeAt(folder, inside) : void(::unlinkat(folder, inside.c_str(), 0));
            ::closedir(entries);
        }
        ::unlinkat(parent, name.c_str(), AT_REMOVEDIR);
    }

    int m_back, m_top;
    bool m_made = false;
};

// Whatever the folders' paths, an output folder that is the inputs' folder under another name is
// refused before anything runs.
TEST_F(Batch, AnOutputFolderThatIsTheInputFolderIsRefusedHoweverDeepItLies) {
    const DeepFolder deep(m_dir);
    ASSERT_TRUE(deep.made());
    ASSERT_TRUE(core::savePicture(stamps_test::coordinatePicture(256, 256, 40), "a.bmp"));
    ASSERT_TRUE(core::savePicture(stamps_test::coordinatePicture(256, 256, 44), "b.bmp"));
    fs::create_directory_symlink(".", "here");
    fs::create_directory("sub");
    fs::create_directory_symlink("..", "sub/up");
    const filetest::Bytes before = readAll("a.bmp");
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--each", "a.bmp", "b.bmp", "--out", "here"}, "--out: a.bmp would be saved over itself."},
        {{"--each", "here/b.bmp", "--out-8bit", "sub/up"},
         "--out-8bit: here/b.bmp would be saved over itself."},
        {{"--each", "a.bmp", "--out", "."}, "--out: a.bmp would be saved over itself."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const clitest::Run run = clitest::inProcess(c.args);
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.err, std::string("quiltane-cli: ") + c.message + "\n");
        EXPECT_EQ(readAll("a.bmp"), before);
    }
    // A folder that is not the inputs' saves there, however deep.
    const clitest::Run run = clitest::inProcess({"--each", "a.bmp", "b.bmp", "--out", "sub"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(namesIn("sub"), (std::vector<std::string>{"a.bmp", "b.bmp", "up"}));
}

// An input that finds no memory while others run is tried again alone once they are done; one
// that finds none then either fails with that reason, and the others are saved.
TEST_F(Batch, AnInputShortOfMemoryIsTriedAgainAloneAndFailsOnlyWhenItIsShortAgain) {
    for (const std::string name : {"skin0.bmp", "skin1.bmp", "skin2.bmp", "skin3.bmp"})
        input(name, 40);
    struct Case {
        int shortOnTries; // how many times input 1 runs short of memory
        int code;
        std::vector<std::string> report;
    };
    const Case cases[] = {
        {1, 0, {"4 skins: 4 saved, 0 failed"}},
        {2,
         1,
         {"quiltane-cli: {in}/skin1.bmp: There is not enough memory to run it.",
          "4 skins: 3 saved, 1 failed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shortOnTries);
        fs::remove_all(m_dir / "out");
        fs::create_directories(m_dir / "out");
        std::atomic<int> tries{0};
        cli::testing::beforeEachInput() = [&](std::size_t input) {
            if (input == 1 && tries.fetch_add(1) < c.shortOnTries) throw std::bad_alloc();
        };
        const clitest::Run run =
            clitest::inProcess(placed({"--each", "{in}/skin0.bmp", "{in}/skin1.bmp", "{in}/skin2.bmp",
                                       "{in}/skin3.bmp", "--out", "{out}", "--jobs", "2"}));
        cli::testing::beforeEachInput() = nullptr;
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(linesOf(run.err), placed(c.report));
        EXPECT_EQ(tries.load(), 2);
        EXPECT_EQ(namesIn(m_dir / "out").size(), c.code == 0 ? 4u : 3u);
    }
}

TEST_F(Batch, TheBarShowsOnlyOnATerminal) {
    std::vector<std::string> args = {"--each"};
    for (int i = 0; i < 4; ++i)
        args.push_back(input("skin" + std::to_string(i) + ".bmp", std::uint8_t(40 + 4 * i)));
    args.push_back(path("in/missing.bmp"));
    args.insert(args.end(), {"--out", path("out")});
    const std::string failure =
        placed("quiltane-cli: {in}/missing.bmp: Cannot open {in}/missing.bmp: the file does not exist.\n");
    const std::string summary = "5 skins: 4 saved, 1 failed\n";

    const clitest::Run piped = clitest::inProcess(args, false);
    EXPECT_EQ(piped.code, 1);
    EXPECT_EQ(piped.err, failure + summary);

    const clitest::Run terminal = clitest::inProcess(args, true);
    EXPECT_EQ(terminal.code, 1);
    EXPECT_EQ(terminal.err.rfind("\r[", 0), 0u) << terminal.err; // the bar from the start
    EXPECT_NE(terminal.err.find("/5"), std::string::npos) << terminal.err;
    // The failure and the summary each on a line of their own, the bar cleared before them.
    EXPECT_NE(terminal.err.find("\r\033[K" + failure), std::string::npos) << terminal.err;
    const std::string end = "\r\033[K" + summary;
    ASSERT_GE(terminal.err.size(), end.size());
    EXPECT_EQ(terminal.err.substr(terminal.err.size() - end.size()), end) << terminal.err;
}

TEST(Progress, RedrawsAtMostTenTimesASecondAndClearsTheBarForFailuresAndTheSummary) {
    using Clock = cli::Progress::Clock;
    Clock::time_point now{};
    std::ostringstream err;
    cli::Progress progress(err, true, 200, [&] { return now; });
    const std::string start = "\r[------------------------------]  0/200\033[K";
    EXPECT_EQ(err.str(), start);

    for (int i = 0; i < 49; ++i) // no time passes: no redraw
        progress.inputDone();
    EXPECT_EQ(err.str(), start);
    now += std::chrono::seconds(10);
    progress.inputDone(); // 50 in 10 s: 5 a second, 150 left
    const std::string quarter = "\r[#######-----------------------]  50/200  5.0 skins/s  0:30 left\033[K";
    EXPECT_EQ(err.str(), start + quarter);
    now += std::chrono::milliseconds(50);
    progress.inputDone();
    EXPECT_EQ(err.str(), start + quarter);

    err.str("");
    progress.failed("a.bmp", "broken");
    EXPECT_EQ(err.str().rfind("\r\033[Kquiltane-cli: a.bmp: broken\n\r[", 0), 0u) << err.str();
    err.str("");
    progress.finish(198, 2);
    EXPECT_EQ(err.str(), "\r\033[K200 skins: 198 saved, 2 failed\n");
}

TEST(Progress, ElsewhereOnlyFailuresAndTheSummary) {
    std::ostringstream err;
    cli::Progress progress(err, false, 1);
    progress.failed("a.bmp", "broken");
    progress.inputDone();
    progress.finish(0, 1);
    EXPECT_EQ(err.str(), "quiltane-cli: a.bmp: broken\n1 skin: 0 saved, 1 failed\n");
}

TEST(Progress, TheBarNamesDoneTotalRateAndTimeLeft) {
    const struct {
        std::size_t done, total;
        double elapsed;
        const char* bar;
    } cases[] = {
        {0, 200, 0, "[------------------------------]  0/200"},
        {1, 3, 0.5, "[##########--------------------]  1/3  2.0 skins/s  0:01 left"},
        {200, 200, 4, "[##############################]  200/200  50.0 skins/s  0:00 left"},
        {10, 40000, 1, "[------------------------------]  10/40000  10.0 skins/s  1:06:39 left"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cli::progressBar(c.done, c.total, c.elapsed), c.bar);
}

TEST_F(Batch, TheProgramRunsABatchAndPrintsNoBarIntoAFile) {
    std::string command = "'" QUILTANE_BIN_DIR "/quiltane-cli' --each";
    for (int i = 0; i < 3; ++i)
        command += " '" + input("skin" + std::to_string(i) + ".bmp", std::uint8_t(40 + 4 * i)) + "'";
    command += " --out '" + path("out") + "' --press 256 2>'" + path("stderr.txt") + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::ifstream err(path("stderr.txt"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(err), {}), "3 skins: 3 saved, 0 failed\n");
    EXPECT_EQ(namesIn(m_dir / "out"), (std::vector<std::string>{"skin0.bmp", "skin1.bmp", "skin2.bmp"}));

    const clitest::Run help = clitest::inProcess({"--help"});
    for (const char* part : {"--each FILE...", "--out DIR", "--out-8bit DIR", "--jobs N"})
        EXPECT_NE(help.out.find(part), std::string::npos) << part;
}

} // namespace
