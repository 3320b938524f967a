// The split job with a stand-in splitter and real MP3 sources: how many runs each file
// gets, what the host is told, which files are left, and an honest report under faults.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <apetag.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mpegfile.h>
#include <regex>
#include <sstream>
#include <thread>

#include "engine/audio/Mp3Tags.h"
#include "engine/files/FileReading.h"
#include "engine/job/SourceSplit.h"
#include "engine/job/SplitJob.h"
#include "engine/process/SplitterSearch.h"
#include "tests/support/RequestStopWhen.h"
#include "tests/support/TestSupport.h"
#include "wording/ClosingText.h"

namespace parvane {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteFile;
using Args = std::vector<std::string>;
using Names = std::set<std::string>;

class RecordingHost : public SplitHost {
public:
    std::vector<std::string> entries;
    int interval = 5;
    std::string applicationFolder;
    std::function<bool()> stop = [] { return false; };  // looked at between steps
    StopNotice notice;                                  // wakes a waiting run
    Args events;                                        // "file 1/2", "written 3"
    JobReport report;                                   // the last run's

    int EntryCount() const override { return static_cast<int>(entries.size()); }
    std::string EntryPath(int k) const override { return entries.at(std::size_t(k)); }
    int ChosenInterval() const override { return interval; }
    std::string ApplicationFolder() const override { return applicationFolder; }
    bool StopRequested() const override { return notice.Requested() || stop(); }
    const StopNotice& StopNoticeToWatch() const override { return notice; }
    void FileStarted(int k, int count, const std::string&) override {
        events.push_back("file " + std::to_string(k) + "/" + std::to_string(count));
    }
    void PieceStarted(std::int64_t, const std::string&) override {}
    void PieceWritten(std::int64_t k, const std::string&) override {
        events.push_back("written " + std::to_string(k));
    }
    std::string Problems() const { return MakeClosingText(report).details; }
    bool Told(const std::string& event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
    }
};

class RecordingRunner : public ProcessRunner {
public:
    std::vector<Args> runs;
    RunResult Run(const Args& argv, const WaitHooks& hooks) override {
        runs.push_back(argv);
        return RunAndWait(argv, hooks);
    }
};

bool NothingPrivate(const fs::path& folder) {
    const Names names = testing::FolderNames(folder);
    return std::none_of(names.begin(), names.end(),
                        [](const std::string& name) { return name.front() == '.'; });
}

// Whether a run's piece lies in a private folder: the run is writing or hangs.
bool PieceInPrivateFolder(const fs::path& folder) {
    return std::any_of(fs::recursive_directory_iterator(folder), {},
                       [](auto& entry) { return entry.path().filename() == "piece.mp3"; });
}

class SplitJobTest : public ::testing::Test {
protected:
    void SetUp() override { host.applicationFolder = splitter.ApplicationFolder(); }

    std::string Source(const std::string& name, int seconds) {
        testing::PutMp3(music / name, seconds);
        return music / name;
    }
    JobReport Run() { return host.report = RunSplitJob(host, runner); }

    testing::FakeSplitter splitter;
    TempFolder music;
    RecordingHost host;
    RecordingRunner runner;
};

// The stand-in has the real mp3splt cut 64 kbit/s sources (24 kHz) and spoils a piece where
// told. A fault in a run leaves a hole, never a claim of success; an estimate that is off
// neither loses a piece nor claims one.
using Output = testing::FakeSplitter::Output;
struct FaultRow {
    const char* fault;
    double seconds;
    // What each piece's run leaves, from piece 1 on: '.' the real piece, 'E' nothing, 'D' a
    // disk full, 'N' noise, 'H' half of it, 'U' a header no tag can be written behind.
    const char* spoiled;
    int at;                    // the piece whose run does `action` first
    const char* action;        // shell code for the stand-in
    const char* otherBitRate;  // piece 2 cut from a copy at this bit rate: larger or smaller
    int pieces;
    std::string problem;  // "" when split completely; ending in "*": how the line begins
};

TEST_F(SplitJobTest, EveryFaultEndsWithAnHonestReport) {
    const std::vector<FaultRow> rows = {
        {"estimate above the first", 30, "", 0, "", "80", 6, ""},
        {"estimate falls short", 30, "", 0, "", "160", 6, ""},
        {"estimate too high", 15, "", 0, "", "8", 3, ""},
        {"shorter than one interval", 4, "", 0, "", "", 1, ""},
        {"exact multiple: no piece of encoder padding", 10, "", 0, "", "", 2, ""},
        {"a hair longer: a piece in the last frame may be missing", 10.01, "..E", 0, "", "", 2, ""},
        {"two frames longer: it may not", 10.06, "..E", 0, "", "", 2,
         "missing pieces 3 (the splitter wrote nothing)"},
        {"run skips a piece", 15, ".E", 0, "", "", 2,
         "missing pieces 2 (the splitter wrote nothing)"},
        {"full disk", 15, ".DD", 0, "", "", 1, "missing pieces 2-3 (disk full)"},
        {"random bytes, exit 0", 15, ".N", 0, "", "", 2,
         "missing pieces 2 (the splitter wrote no MP3 audio like the source's)"},
        {"half a piece, exit 0", 15, ".H", 0, "", "", 2, "piece 2 is 2.*"},
        {"its tag cannot be written", 15, ".U", 0, "", "", 2,
         "missing pieces 2 (its track number could not be written)"},
        {"a piece cut too long, exit 0", 15, "", 2, "end=0.15", "", 2, "piece 2 is 9.9*"},
        {"reasons grouped", 15, "ENE", 0, "", "", 0,
         "missing pieces 1, 3 (the splitter wrote nothing); missing pieces 2 (the "
         "splitter wrote no MP3 audio like the source's)"},
        {"crash before writing", 15, "", 1, "kill -9 $$", "", 2,
         "missing pieces 1 (the splitter was killed (Killed))"},
        {"failed after its progress", 15, "", 2,
         "printf \" [ 30.70 %%] preparing ...\\r\" >&2; exit 1", "", 2,
         "missing pieces 2 (the splitter failed with exit status 1)"},
        {"its child killed after its progress", 15, "", 2,
         "printf \" [ 30.70 %%] preparing ...\\r\" >&2; sh -c \"kill -9 \\$\\$\"; exit", "", 2,
         "missing pieces 2 (the splitter was killed (Killed))"},
        {"rename fails", 15, "", 2, "mkdir -p \"${source%.mp3}-0002.mp3/x\"", "", 2,
         "missing pieces 2 (cannot be put in place (Is a directory))"},
        {"source deleted", 15, "", 2, "rm \"$source\"", "", 1, "changed during the split"},
        {"source grown", 15, "", 3, "echo x >>\"$source\"", "", 3, "changed during the split"},
        {"source rewritten, its time set back", 15, "", 2,
         "touch -r \"$source\" \"$0.t\"; echo x | dd of=\"$source\" seek=9 conv=notrunc; "
         "touch -r \"$0.t\" \"$source\"",
         "", 3, "changed during the split"},
        {"reason before long progress output", 15, "", 2,
         "echo \" error: no room\" >&2; yes \"[ 50 %]\" | head -c 9000 >&2; exit 1", "", 2,
         "missing pieces 2 (no room)"},
        {"reason naming the private file", 15, "", 2,
         "echo \" error: cannot write $dir/piece.mp3\" >&2; exit 1", "", 2,
         "missing pieces 2 (cannot write @/song-0002.mp3)"},
    };
    const std::map<char, Output> spoils = {
        {'.', Output::Real},  {'E', Output::Empty}, {'D', Output::DiskFull},
        {'N', Output::Noise}, {'H', Output::Half},  {'U', Output::UntaggableHeader}};
    for (const FaultRow& row : rows) {
        SCOPED_TRACE(row.fault);
        TempFolder folder;
        testing::PutMp3(folder / "song.mp3", row.seconds);
        std::map<int, Output> outputs;
        for (int k = 0; row.spoiled[k] != '\0'; ++k) outputs[k + 1] = spoils.at(row.spoiled[k]);
        std::map<int, std::string> actions;
        if (row.at != 0) actions[row.at] = row.action;
        if (*row.otherBitRate != '\0') {
            testing::MakeMp3(folder / "other.mp3", {"synth", std::to_string(row.seconds)},
                             {"-b", row.otherBitRate, "--resample", "24"});
            actions[2] = "source=\"${source%/*}/other.mp3\"";
        }
        host.entries = {folder / "song.mp3"};
        splitter.Configure(outputs, false, actions);
        const JobReport report = Run();
        ASSERT_EQ(report.files.size(), 1u);
        EXPECT_EQ(report.files[0].piecesWritten, row.pieces);
        const std::string problem =
            std::regex_replace(row.problem, std::regex("@"), folder.path().string());
        const std::string line = folder / "song.mp3" + ": " + problem;
        if (problem.ends_with('*')) {
            EXPECT_TRUE(host.Problems().starts_with(line.substr(0, line.size() - 1)))
                << host.Problems();
        } else {
            EXPECT_EQ(host.Problems(), problem.empty() ? "" : line);
        }
        EXPECT_EQ(MakeClosingText(report).summary,
                  problem.empty()  ? "Done.\n1 file split completely."
                  : row.pieces > 0 ? "Done.\n0 files split completely, 1 split in part."
                                   : "Done.\n0 files split completely, 1 not split.");
        EXPECT_TRUE(NothingPrivate(folder.path()));
    }
}

// A stretch of zeros that holds two frame headers (128 kbit/s, 44.1 kHz) one frame apart.
std::string ChanceFrames(std::size_t bytes) {
    std::string zeros(bytes, '\0');
    const std::string header = "\xFF\xFB\x90\x64";
    zeros.replace(bytes / 2, header.size(), header);
    zeros.replace(bytes / 2 + 417, header.size(), header);
    return zeros;
}

// Words split at spaces: "-b 128" as lame's argument vector takes it.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// Files as they come from the wild, made here with sox and lame, damaged on purpose, and
// split by the real mp3splt every 0:05: every piece but the last lasts the interval within
// three frames, the last holds the rest, and together they hold all the audio.
struct WildRow {
    const char* kind;
    const char* sound;   // sox's effects
    const char* lame;    // lame's options
    std::string damage;  // bytes written over the middle
    int pieces;
    double frame;      // seconds of one frame
    std::string said;  // how the file's closing line begins, "" when there is none
};

TEST_F(SplitJobTest, FilesFromTheWild) {
    const char* const noise12 = "synth 12 pinknoise";
    const std::vector<WildRow> rows = {
        {"CBR without an Info frame", noise12, "-t -b 128", "", 3, 0.026, ""},
        {"VBR without an Info frame", "synth 3 pinknoise pad 0 3 repeat", "-t -V 2", "", 3, 0.026,
         ""},
        {"MPEG 2", noise12, "-b 32 --resample 22.05", "", 3, 0.026, ""},
        {"MPEG 2.5, 8 kHz mono, 8 kbit/s", noise12, "-b 8 -m m --resample 8", "", 3, 0.072, ""},
        {"zeros inside", noise12, "-b 128", std::string(4096, '\0'), 3, 0.026,
         "damaged audio passed over at 0:"},
        {"random bytes inside", noise12, "-b 128", testing::RandomBytes(16384), 3, 0.026,
         "damaged audio passed over at 0:"},
        {"a third random bytes", noise12, "-b 128", testing::RandomBytes(65536), 2, 0.026,
         "damaged audio passed over at 0:"},
        // Zeros holding two frame headers in a row, where a splitter finds two frames.
        {"chance frames inside", noise12, "-b 128", ChanceFrames(16384), 3, 0.026,
         "damaged audio passed over at 0:05 ("},
        {"free format", noise12, "--freeformat -b 100", "", 0, 0,
         "free-format MP3, which the splitter cannot cut"},
    };
    host.applicationFolder = "";
    for (const WildRow& row : rows) {
        SCOPED_TRACE(row.kind);
        const TempFolder folder;
        const std::string source = folder / "s.mp3";
        testing::MakeMp3(source, Words(row.sound), Words(row.lame));
        const bool damaged = !row.damage.empty();
        // At 128 kbit/s the damage stands for damage.size() / 16000 seconds of the audio.
        const double audible = row.pieces == 0 ? 0
                                               : testing::DecodedSeconds(source, damaged) -
                                                     row.damage.size() / 16000.0;
        if (damaged) {
            std::fstream(source, std::ios::in | std::ios::out | std::ios::binary).seekp(96'000)
                << row.damage;
        }
        host.entries = {source};
        EXPECT_EQ(Run().files.at(0).SplitCompletely(), row.pieces > 0);  // damage is a notice
        EXPECT_TRUE(host.Problems().starts_with(row.said.empty() ? "" : source + ": " + row.said))
            << host.Problems();
        EXPECT_EQ(host.Problems().find("), "), std::string::npos);  // one stretch, one notice
        EXPECT_EQ(testing::FolderNames(folder.path()).size(), row.pieces + 1u);
        double total = 0.0;
        for (int k = 1; k <= row.pieces; ++k) {
            const double seconds =
                testing::DecodedSeconds(folder / ("s-000" + std::to_string(k) + ".mp3"), damaged);
            total += seconds;
            // A piece may lose the chance frame headers of random damage the splitter counted.
            const double margin = 3 * row.frame + (damaged ? 0.2 : 0);
            EXPECT_TRUE(k == row.pieces || std::abs(seconds - 5.0) <= margin)
                << k << ": " << seconds;
        }
        EXPECT_GE(total, audible - 3 * row.frame);
    }
}

// What is not MP3, made by the tools that make such files, is named as a person knows it.
TEST_F(SplitJobTest, WhatIsNotMp3IsNamed) {
    const std::vector<std::pair<Args, std::string>> rows = {
        {{"ffmpeg", "-f", "lavfi", "-i", "sine=d=2", "-write_id3v2", "1", "-metadata", "title=T",
          "@.aac"},
         "AAC audio"},
        {{"ffmpeg", "-f", "lavfi", "-i", "testsrc=s=32x32", "-frames:v", "1", "@.jpg"},
         "JPEG picture"},
        {{"sox", "-n", "@.wav", "synth", "2"}, "WAVE audio"},
        {{"sox", "-n", "@.flac", "synth", "2"}, "FLAC audio"},
        {{"sox", "-n", "@.ogg", "synth", "2"}, "Ogg audio"},
        {{"sox", "-n", "@.mp2", "synth", "2"}, "MPEG layer II audio"},
        {{"sh", "-c", "printf \"Tracks:\\n1. Intro\\n\" >\"$0\"", "@.txt"}, "text"},
        {{"touch", "@.txt"}, "empty"},
    };
    std::string said;
    host.entries.clear();
    for (const auto& [tool, kind] : rows) {
        const std::string made = music / std::to_string(host.entries.size());
        Args argv = tool;
        const auto output =
            std::find_if(argv.begin(), argv.end(), [](auto& arg) { return arg[0] == '@'; });
        *output = made + output->substr(1);
        EXPECT_EQ(testing::RunTool(argv).exitCode, 0) << kind;
        host.entries.push_back(made + ".mp3");
        fs::rename(*output, host.entries.back());
        said += host.entries.back() + ": not an MP3 file (" + kind + ")\n";
    }
    Run();
    EXPECT_EQ(host.Problems() + "\n", said);
}

// A recording followed by padding, cut short, or joined to another (junk inside is a row of
// the files from the wild): every piece is checked against the audio at its place, and
// where the splitter's count of time cannot follow a change of sample rate, no piece is
// cut across it.
TEST_F(SplitJobTest, AudioBesideOtherBytesOrAnotherRecording) {
    const std::string recording = music / "a.mp3", lower = music / "b.mp3", mono = music / "c.mp3";
    testing::MakeMp3(recording, {"synth", "25", "sine", "440"}, {"-b", "128"});
    testing::MakeMp3(lower, {"synth", "20", "sine", "660"},
                     {"-b", "32", "-m", "m", "--resample", "22.05"});
    testing::MakeMp3(mono, {"synth", "20", "sine", "660"}, {"-b", "64", "-m", "m"});
    const std::string a = testing::ReadFile(recording);
    struct Row {
        const char* what;
        std::string bytes;
        int pieces;
        std::string said;  // how the closing line begins
    };
    const std::vector<Row> rows = {
        {"zeros after", a + std::string(51200, '\0'), 3,
         "51200 bytes of zeros after the audio, passed over"},
        {"44.1 kHz stereo, then 22.05 kHz mono", a + testing::ReadFile(lower), 2,
         "missing pieces 3-5 (changes from 44.1 kHz stereo to 22.05 kHz mono at 0:25; the splitter "
         "cannot cut across the change)"},
        // The piece after the join plays the second recording's padding, and the first's lies
        // inside the audio.
        {"stereo, then mono", a + testing::ReadFile(mono), 5, ""},
        {"its last frame cut short", a.substr(0, a.size() - 200), 3, ""},
    };
    host.interval = 10;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const TempFolder folder;
        WriteFile(folder / "s.mp3", row.bytes);
        host.entries = {folder / "s.mp3"};
        Run();
        EXPECT_TRUE(row.said.empty()
                        ? host.Problems().empty()
                        : host.Problems().starts_with(host.entries[0] + ": " + row.said))
            << host.Problems();
        EXPECT_EQ(testing::FolderNames(folder.path()).size(), row.pieces + 1u);
        for (int k = 1; k < row.pieces; ++k) {
            // ffmpeg follows a change of channels inside a piece.
            const std::string piece = folder / ("s-000" + std::to_string(k) + ".mp3");
            testing::RunTool({"ffmpeg", "-i", piece, "-ac", "2", "-ar", "44100", folder / "p.wav"});
            EXPECT_NEAR(std::stod(testing::RunTool({"soxi", "-D", folder / "p.wav"}).out), 10.0,
                        0.08)
                << k;
            fs::remove(folder / "p.wav");
        }
    }
}

// Every piece's track reads its number of all, in an ID3v2 tag; the source's other tags and
// its cover picture stay, its APEv2 tag is copied, and the fields of its ID3v1 and APEv2
// tags fill its ID3v2 tag, which most players read first. A source without tags gets pieces
// with the track alone.
TEST_F(SplitJobTest, PiecesAreNumberedInTheirTags) {
    const std::string picture = music / "cover.png";
    testing::MakeSound(music / "cover.wav", {"synth", "1"});
    testing::RunTool({"sox", music / "cover.wav", "-n", "spectrogram", "-o", picture});
    testing::MakeMp3(music / "tagged.mp3", {"synth", "12"},
                     {"-b", "64", "--tt", "Talk", "--ti", picture});
    testing::MakeMp3(music / "old.mp3", {"synth", "7"},
                     {"-b", "64", "--id3v1-only", "--tt", "Old", "--ta", "Band"});
    testing::MakeMp3(music / "ape.mp3", {"synth", "7"}, {"-b", "64"});
    {
        TagLib::MPEG::File ape((music / "ape.mp3").c_str());
        ape.APETag(true)->setTitle("Ape");
        ape.APETag()->setArtist("Band");
        ape.save(TagLib::MPEG::File::APE);
    }
    host.entries = {music / "tagged.mp3", Source("plain.mp3", 7), music / "old.mp3",
                    music / "ape.mp3"};
    Run();
    const auto tags = [&](const std::string& name) {
        return testing::RunTool({"sox", "--i", "-a", music / name}).out;
    };
    for (const char* k : {"1", "2", "3"}) {
        const std::string piece = std::string("tagged-000") + k + ".mp3";
        EXPECT_EQ(tags(piece), std::string("Title=Talk\nTracknumber=") + k + "/3\n");
        const std::string bytes = testing::ReadFile(music / piece);
        EXPECT_NE(bytes.find(testing::ReadFile(picture)), std::string::npos);
        EXPECT_EQ(bytes.substr(bytes.size() - 128, 3), "TAG");  // the ID3v1 tag stays too
    }
    EXPECT_EQ(tags("plain-0002.mp3"), "Tracknumber=2/2\n");
    for (const char* name : {"old", "ape"}) {
        const std::string piece = music / (std::string(name) + "-0002.mp3");
        EXPECT_EQ(testing::RunTool({"ffprobe", "-v", "error", "-show_entries",
                                    "format_tags=title,artist,track", "-of", "default=nw=1", piece})
                      .out,
                  std::string("TAG:title=") + (name[0] == 'o' ? "Old" : "Ape") +
                      "\nTAG:artist=Band\nTAG:track=2/2\n");
    }
    TagLib::MPEG::File piece((music / "ape-0001.mp3").c_str());
    EXPECT_TRUE(piece.hasAPETag() && piece.APETag()->title() == "Ape");
    // The tags' bytes as read through the opened file: the ID3v1 tag at the end alone.
    const OpenedFile old = OpenForReading(music / "old.mp3");
    const TagBytesOf oldBytes = TagBytes(old.file.get(), {});
    EXPECT_EQ(oldBytes.atStart, 0);
    EXPECT_EQ(oldBytes.atEnd, 128);
}

// The real mp3splt on a file system that runs out of room or of inodes part way, and one
// that cannot be written into at all, where no splitter runs.
TEST_F(SplitJobTest, FullOrReadOnlyFileSystems) {
    for (const auto& [options, problem] :
         {std::pair{"size=256k", ": missing pieces 3-4 (No space left on device)"},
          {"nr_inodes=5", ": missing pieces 2-4 (No space left on device)"},
          {"ro", ": cannot write into its folder (Read-only file system)"}}) {
        SCOPED_TRACE(options);
        const TempFolder small;
        if (const testing::ToolRun mount =
                testing::RunTool({"mount", "-t", "tmpfs", "tmpfs", small.path()});
            mount.exitCode != 0)
            GTEST_SKIP() << "no tmpfs can be mounted here: " << mount.err;
        testing::PutMp3(small / "talk.mp3", 20);
        testing::RunTool({"mount", "-o", std::string("remount,") + options, small.path()});
        host.entries = {small / "talk.mp3"};
        host.applicationFolder = "";
        runner.runs.clear();
        Run();
        const bool tidy = NothingPrivate(small.path());
        testing::RunTool({"umount", small.path()});
        EXPECT_EQ(host.Problems(), small / "talk.mp3" + problem);
        EXPECT_EQ(runner.runs.empty(), options == std::string("ro"));
        EXPECT_TRUE(tidy);
    }
}

// Paths the system cannot take for the pieces, too long as a whole or in their file names.
TEST_F(SplitJobTest, PathsTooLong) {
    fs::path deep = music.path();
    while (deep.string().size() < 3880) deep /= std::string(200, 'd');
    fs::create_directories(deep);
    host.entries = {Source(std::string(251, 'n') + ".mp3", 7),
                    (deep / std::string(4094 - deep.string().size() - 5, 'p')).string() + ".mp3"};
    testing::PutMp3(host.entries[1], 7);
    Run();
    EXPECT_EQ(host.Problems(), host.entries[0] + ": the path is too long\n" + host.entries[1] +
                                   ": the path is too long");
}

// A listed file saved anew (another file under its name) while an earlier file splits
// keeps its name, however the list spells its path.
TEST_F(SplitJobTest, AListedFileSavedAnewIsKept) {
    fs::create_directory_symlink(music.path(), music / "link");
    splitter.Configure({}, false,
                       {{1, "cd \"${source%/*}\" && cp a-0001.mp3 .t && mv .t a-0001.mp3"}});
    for (const std::string& listed : {music / "a-0001.mp3", music / "link/a-0001.mp3"}) {
        SCOPED_TRACE(listed);
        WriteFile(music / "a-0001.mp3", "the user's");
        host.entries = {Source("b.mp3", 7), Source("a.mp3", 7), listed};
        Run();
        EXPECT_EQ(testing::ReadFile(music / "a-0001.mp3"), "the user's");
        EXPECT_NE(host.Problems().find("a.mp3: piece name taken by a listed file"),
                  std::string::npos);
    }
    // A listed link (fav.mp3 -> c-0001.mp3) keeps the earlier piece it leads to.
    host.entries = {Source("c.mp3", 7)};
    Run();
    fs::create_symlink("c-0001.mp3", music / "fav.mp3");
    const FileIdentity earlier = IdentityOf(music / "c-0001.mp3").value();
    host.entries = {music / "c.mp3", music / "fav.mp3"};
    Run();
    EXPECT_TRUE(IdentityOf(music / "c-0001.mp3").value().SameContent(earlier));
    EXPECT_NE(host.Problems().find("c.mp3: piece name taken by a listed file"), std::string::npos)
        << host.Problems();
}

// What lies at a piece's name stays, byte for byte, unless it is a piece this program made
// of the same source: a re-split at another length replaces its own pieces and nothing else.
TEST_F(SplitJobTest, OnlyAPieceOfTheSameSourceIsReplaced) {
    const std::string talk = Source("talk.mp3", 25), piece = music / "talk-0002.mp3";
    host.entries = {talk, Source("other.mp3", 25)};
    host.interval = 10;
    Run();
    fs::rename(music / "other-0002.mp3", music / "theirs.mp3");
    fs::rename(piece, music / "earlier.mp3");
    testing::MakeMp3(music / "recording.mp3", {"synth", "20"}, {"-m", "m", "--resample", "22.05"});
    const std::string kept =
        "talk-0002.mp3: the name is taken by a file that is not a piece of "
        "talk.mp3; it was kept";
    for (const auto& [what, lying, replaced] :
         {std::tuple{"the user's own recording", "recording.mp3", false},
          {"a piece of another source", "theirs.mp3", false},
          {"a link to an earlier piece", "link", false},
          {"an earlier piece of this source", "earlier.mp3", true}}) {
        SCOPED_TRACE(what);
        fs::remove(piece);
        if (std::string(lying) == "link")
            fs::create_symlink("earlier.mp3", piece);
        else
            fs::copy_file(music / lying, piece);
        const std::string before = testing::ReadFile(piece);
        host.entries = {talk};
        host.interval = 5;
        Run();
        EXPECT_EQ(testing::ReadFile(piece) == before, !replaced);
        EXPECT_EQ(host.Problems(), replaced ? "" : talk + ": " + kept);
        EXPECT_EQ(host.report.files.at(0).piecesWritten, replaced ? 5 : 4);
        EXPECT_EQ(fs::is_symlink(piece), std::string(lying) == "link");
    }
}

// Pieces have no more readers than their source, whatever the umask allows.
TEST_F(SplitJobTest, PiecesKeepTheirSourcesReaders) {
    const std::string song = Source("song.mp3", 4);
    host.entries = {song};
    const gid_t stranger = 12345;
    const bool root = ::geteuid() == 0;
    for (const auto& [mode, mask, group, pieceMode] :
         {std::tuple<mode_t, mode_t, bool, mode_t>{0600, 022, false, 0600},
          {0644, 027, false, 0640},
          {0000, 022, false, 0000},
          {0640, 022, true, 0640}}) {
        if (mode == 0 && !root) continue;  // only root reads a source nobody may read
        SCOPED_TRACE(mode);
        ::chmod(song.c_str(), mode);
        if (group) {
            [[maybe_unused]] const int given = ::chown(song.c_str(), -1, stranger);
        }
        const mode_t saved = ::umask(mask);
        Run();
        ::umask(saved);
        struct stat info {};
        ASSERT_EQ(::stat((music / "song-0001.mp3").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, pieceMode);
        EXPECT_EQ(info.st_gid == stranger, group && root);
    }
}

// Two jobs on one source: the second leaves it to the first and goes on with its other
// files; the first writes the whole series.
TEST_F(SplitJobTest, OneJobPerSourceAtATime) {
    const std::string song = Source("song.mp3", 15);
    testing::FakeSplitter hanging;
    hanging.Configure({}, true);
    RecordingHost first;
    first.entries = {song};
    first.applicationFolder = hanging.ApplicationFolder();
    RealProcessRunner firstRunner;
    std::thread firstJob([&] { RunSplitJob(first, firstRunner); });
    while (!PieceInPrivateFolder(music.path()))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    host.entries = {song, Source("next.mp3", 4)};
    Run();
    first.notice.Request();
    firstJob.join();
    EXPECT_EQ(host.Problems(), song + ": being split by another job");
    EXPECT_EQ(host.report.files.at(1).piecesWritten, 1);
    host.entries = {song};
    Run();
    EXPECT_EQ(host.Problems(), "");
}

// The one-step swap over an earlier piece finds the user's file came in meanwhile, and the
// swap back fails: that file stays, under the piece's name in the private folder, which is
// kept; the source's runs end there.
int swaps = 0;
int SwapBackFails(const std::string& made, const std::string& piece) {
    if (++swaps == 2) return EIO;
    std::ofstream(piece + ".new") << "the user's";
    fs::rename(piece + ".new", piece);
    return ExchangeNames(made, piece);
}

TEST_F(SplitJobTest, AFailedSwapBackLosesNothing) {
    host.entries = {Source("talk.mp3", 15)};
    Run();
    JobContext job;
    job.splitterPath = splitter.Path();
    job.exchange = SwapBackFails;
    const SourceSplit split = SplitSource(host, runner, {}, job, music / "talk.mp3", 5);
    const FileProblem& problem = split.report.problems.at(0);
    EXPECT_EQ(problem.failure.kind, PieceFailure::Kind::DisplacedFileKept);
    EXPECT_EQ(testing::ReadFile(problem.failure.text), "the user's");
    EXPECT_EQ(fs::path(problem.failure.text).filename(), "talk-0001.mp3");
    host.entries = {music / "talk.mp3"};
    Run();  // a later job leaves the kept folder alone
    EXPECT_EQ(testing::ReadFile(problem.failure.text), "the user's");
}

// Piece 2 runs from 0:30 to 1:00 and is written under a plain name in a private folder.
TEST_F(SplitJobTest, ArgumentsAndEvents) {
    host.interval = 30;
    host.entries = {Source("song.mp3", 62), Source("next.mp3", 3)};
    EXPECT_EQ(Run().end, JobEnd::Completed);
    const Args& second = runner.runs.at(1);
    EXPECT_EQ(Args(second.begin(), second.end() - 1),
              (Args{splitter.Path(), music / "song.mp3", "0.30", "1.00", "-o", "piece", "-d"}));
    EXPECT_EQ(fs::path(second.back()).parent_path(), music.path());
    EXPECT_EQ(fs::path(second.back()).filename().string().rfind(".parvane-", 0), 0u);
    EXPECT_EQ(host.events,
              (Args{"file 1/2", "written 1", "written 2", "written 3", "file 2/2", "written 1"}));
}

// A re-split with a longer length names what an earlier split left beyond its last piece,
// up to a file of the list.
// The private folder of a job that was killed goes (its lock is free); one without a lock
// may be a job's that is just starting, and stays.
TEST_F(SplitJobTest, OlderPiecesAreNamedAndStalePrivateFoldersRemoved) {
    const std::string stale = ".parvane-999999999-AbCdEf", running = ".parvane-1-AbCdEf";
    WriteFile(music.path() / stale / "piece.mp3");
    WriteFile(music.path() / stale / "lock", "");
    fs::create_directories(music.path() / running);
    fs::create_symlink("loop.mp3", music.path() / "loop.mp3");
    host.entries = {Source("a.mp3", 30), music / "a-0007.mp3", music / "loop.mp3"};
    for (const char* name : {"a-0004.mp3", "a-0005.mp3", "a-0006.mp3", "a-0007.mp3", "a-0008.mp3"})
        WriteFile(music / name);
    host.interval = 10;
    Run();
    EXPECT_EQ(host.Problems(),
              music / "a-0007.mp3" + ": not an MP3 file (text)\n" + music / "loop.mp3" +
                  ": cannot be read (Too many levels of symbolic links)\n" + music / "a.mp3" +
                  ": older pieces remain: a-0004.mp3 to a-0006.mp3");
    EXPECT_EQ(testing::FolderNames(music.path()),
              (Names{"a.mp3", "a-0001.mp3", "a-0002.mp3", "a-0003.mp3", "a-0004.mp3", "a-0005.mp3",
                     "a-0006.mp3", "a-0007.mp3", "a-0008.mp3", "loop.mp3", running}));
}

// Beside the program a file that cannot run; on PATH only relative and empty entries, which
// name places under the current folder and are passed over, then nothing; later the
// splitter found on PATH vanishes during the second file. Either way the message says what
// was split before.
TEST_F(SplitJobTest, MissingOrLostSplitter) {
    const TempFolder application, emptyPath;
    WriteFile(application / "mp3splt", "not executable");
    host.applicationFolder = application.path();
    host.entries = {Source("a.mp3", 7), Source("b.mp3", 7)};
    const std::string relative = fs::relative(splitter.ApplicationFolder()).string() + "::";
    const std::string savedPath = SearchPath();
    ::setenv("PATH", (relative + emptyPath.path().string()).c_str(), 1);
    Run();
    EXPECT_TRUE(runner.runs.empty());
    EXPECT_EQ(MakeClosingText(host.report).summary,
              "The splitter mp3splt was not found. Looked for " + (application / "mp3splt") +
                  " and for mp3splt on PATH (" + relative + emptyPath.path().string() +
                  "). Install the Debian package mp3splt.\nNothing was split.");

    ::setenv("PATH", (relative + splitter.ApplicationFolder() + ":" + savedPath).c_str(), 1);
    splitter.Configure({}, false, {{2, "[ \"${source##*/}\" = b.mp3 ] && rm \"$0\""}});
    Run();
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(MakeClosingText(host.report).summary,
              "The splitter " + splitter.Path() +
                  " could not be started (No such file or directory). Splitting was stopped.\n"
                  "Split completely before that: " +
                  (music / "a.mp3") +
                  ".\n"
                  "Split in part before that: " +
                  (music / "b.mp3") + ".");
    EXPECT_EQ(host.Problems(), music / "b.mp3" + ": stopped before piece 3");
}

// A stop cuts a hanging run off, keeps the next file from starting, or ends the measure of a
// large source before any run; either way the piece being written goes, nothing private
// stays, and every file not split completely is told.
TEST_F(SplitJobTest, Stops) {
    enum class When { InsideARun, BetweenFiles, InsideAMeasure };
    for (const When when : {When::InsideARun, When::BetweenFiles, When::InsideAMeasure}) {
        SCOPED_TRACE(static_cast<int>(when));
        const TempFolder folder;
        for (const char* name : {"song.mp3", "next.mp3"}) testing::PutMp3(folder / name, 5);
        // 400 copies of the recording in one file, 16 MB of frames that take a while to read.
        if (when == When::InsideAMeasure) {
            const std::string recording = testing::ReadFile(folder / "song.mp3");
            std::ofstream song(folder / "song.mp3", std::ios::app | std::ios::binary);
            for (int copy = 0; copy < 400; ++copy) song << recording;
        }
        host.entries = {folder / "song.mp3", folder / "next.mp3"};
        host.events.clear();
        int polls = 0;
        // Between files: the first one's piece written and its private folder gone.
        host.stop = [&] {
            ++polls;
            return when == When::BetweenFiles
                       ? host.Told("written 1") && NothingPrivate(folder.path())
                       : when == When::InsideAMeasure && polls >= 3;
        };
        host.notice.Reset();
        const testing::RequestStopWhen pressed(host.notice, [&] {
            return when == When::InsideARun && PieceInPrivateFolder(folder.path());
        });
        splitter.Configure({}, when == When::InsideARun);
        runner.runs.clear();
        const JobReport report = Run();
        EXPECT_EQ(report.end, JobEnd::Stopped);
        // What the stop left undone is reported, down to the file never begun.
        ASSERT_EQ(report.files.size(), 2u);
        EXPECT_EQ(report.files[0].SplitCompletely(), when == When::BetweenFiles);
        EXPECT_EQ(report.files[1].problems.at(0).kind, FileProblem::Kind::Stopped);
        EXPECT_EQ(runner.runs.empty(), when == When::InsideAMeasure);
        EXPECT_FALSE(host.Told("file 2/2"));
        EXPECT_EQ(testing::FolderNames(folder.path()).size(), when == When::BetweenFiles ? 3u : 2u);
        EXPECT_TRUE(NothingPrivate(folder.path()));
    }
}

}  // namespace
}  // namespace parvane
