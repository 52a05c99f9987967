// Writes a deterministic corpus of realistic subtitle scripts for the benchmarks: styles,
// dialogue with commas and \N, signs with override tags, karaoke, typesetting drawings,
// Comment lines, Cyrillic and Japanese text, a [Fonts] section, and a two-line block that
// recurs a few times in every script (with the Search and Replace block files that go with it).
//
//   nosk_bench_corpus --out DIR [--count N] [--size BYTES] [--line-ends crlf|lf] [--no-mark]
//                     [--seed S]
//
// Every script is exactly --size bytes. Standard library only; the same options give the same
// bytes on every machine (no standard distributions, whose results differ between libraries).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Options {
  std::filesystem::path out;
  int count = 1;
  std::size_t size = 100'000;
  std::string lineEnd = "\r\n";
  bool mark = true;
  std::uint32_t seed = 2026;
};

class Random {
 public:
  explicit Random(std::uint32_t seed) : engine_(seed) {}
  // 0 to n - 1.
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(engine_() % n); }
  template <class T>
  const T& Pick(const std::vector<T>& items) {
    return items[Below(static_cast<std::uint32_t>(items.size()))];
  }

 private:
  std::mt19937 engine_;
};

std::string Time(std::uint32_t centiseconds) {
  char text[16];
  std::snprintf(text, sizeof text, "%u:%02u:%02u.%02u", centiseconds / 360000,
                centiseconds / 6000 % 60, centiseconds / 100 % 60, centiseconds % 100);
  return text;
}

const std::vector<std::string> kNames = {"Aki", "Mei", "Conductor", "Sora", "", "Narrator"};
const std::vector<std::string> kWords = {
    "the",     "train", "night", "stars",    "ticket",   "window", "station", "over",
    "there",   "wait",  "we",    "have",     "to",       "go",     "now",     "Станция",
    "звёзды",  "поезд", "星空",  "駅",       "切符",     "really", "cold",    "light",
    "lantern", "Milky", "Way",   "terminal", "platform", "nine"};

std::string Sentence(Random& random, int words) {
  std::string text;
  for (int i = 0; i < words; ++i) {
    if (i > 0) text += random.Below(7) == 0 ? ", " : " ";
    text += random.Pick(kWords);
  }
  return text;
}

// The two lines that recur in every script, and what replaces them.
const std::string kBlock1 =
    R"(Dialogue: 5,0:21:30.00,0:21:35.00,Sign,,0,0,0,,{\an8\pos(960,80)\fad(300,300)}Next Episode)";
const std::string kBlock2 =
    R"(Dialogue: 0,0:21:30.50,0:21:35.00,Default,Narrator,0,0,0,,Next time: the terminal, at last.)";
const std::vector<std::string> kReplace = {
    R"(Dialogue: 5,0:21:30.00,0:21:35.00,Sign,,0,0,0,,{\an8\pos(960,80)\fad(300,300)}Next Episode)",
    R"(Dialogue: 5,0:21:30.00,0:21:35.00,Sign,,0,0,0,,{\an8\pos(960,140)\fs40\fad(300,300)}Следующая серия)",
    R"(Dialogue: 0,0:21:30.50,0:21:35.00,Default,Narrator,0,0,0,,Next time: at last, the terminal.)"};

std::string EventLine(Random& random, std::uint32_t& clock) {
  const std::uint32_t start = clock;
  const std::uint32_t end = start + 80 + random.Below(400);
  clock += 50 + random.Below(300);
  const std::string times = Time(start) + "," + Time(end);
  switch (random.Below(20)) {
    case 0:
      return "Comment: 0," + times + ",Default,,0,0,0,,TL note: " + Sentence(random, 6);
    case 1:
    case 2: {
      std::string karaoke;
      for (int syllable = 0; syllable < 8; ++syllable) {
        karaoke += "{\\k" + std::to_string(10 + random.Below(40)) + "}" +
                   std::string(1, static_cast<char>('a' + random.Below(26))) + "a";
      }
      return "Dialogue: 1," + times + ",Karaoke,,0,0,0,karaoke," + karaoke;
    }
    case 3:
    case 4:
      return "Dialogue: 5," + times + ",Sign,,0,0,0,,{\\an7\\pos(" +
             std::to_string(random.Below(1900)) + "," + std::to_string(random.Below(1000)) +
             ")\\fad(200,200)\\blur0.6\\c&H" + std::to_string(100000 + random.Below(800000)) +
             "&}" + Sentence(random, 2);
    case 5: {
      std::string drawing = "{\\an7\\pos(0,0)\\p1}m 0 0";
      for (int point = 0; point < 40; ++point) {
        drawing +=
            " l " + std::to_string(random.Below(1920)) + " " + std::to_string(random.Below(1080));
      }
      return "Dialogue: 3," + times + ",Sign,,0,0,0,,{\\bord0\\shad0\\c&H202020&}" + drawing +
             "{\\p0}";
    }
    default:
      return "Dialogue: 0," + times + ",Default," + random.Pick(kNames) + ",0,0,0,," +
             Sentence(random, 5 + static_cast<int>(random.Below(8))) +
             (random.Below(3) == 0 ? "\\N" + Sentence(random, 4) : std::string());
  }
}

std::string Script(const Options& options, int number) {
  Random random(options.seed * 7919u + static_cast<std::uint32_t>(number));
  const std::string& eol = options.lineEnd;
  std::string text = options.mark ? "\xEF\xBB\xBF" : "";
  const auto line = [&](const std::string& content) { text += content + eol; };
  line("[Script Info]");
  line("; Benchmark script " + std::to_string(number) + " of the Nosk corpus");
  line("Title: Hoshi no Tabi - bench " + std::to_string(number));
  line("ScriptType: v4.00+");
  line("PlayResX: 1920");
  line("PlayResY: 1080");
  line("");
  line("[V4+ Styles]");
  line(
      "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
      "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
      "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding");
  line(
      "Style: Default,Open Sans "
      "Semibold,72,&H00FFFFFF,&H000000FF,&H00202020,&HA0000000,0,0,0,0,100,100,0,0,1,3.6,1.5,2,160,"
      "160,60,1");
  line(
      "Style: "
      "Sign,Georgia,64,&H00F0F0F0,&H000000FF,&H00303030,&H00000000,1,0,0,0,100,100,0,0,1,2,0,8,40,"
      "40,40,1");
  line(
      "Style: Karaoke,Kozuka Gothic Pro "
      "M,60,&H00FFE6C8,&H00A05000,&H00301000,&H00000000,0,0,0,0,100,100,2,0,1,2.5,0,8,60,60,40,1");
  line("");
  line("[Events]");
  line("Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text");
  // Events fill 95% of the size; the font data the rest. The block recurs about every 25 KB.
  const std::size_t eventsEnd = options.size - options.size / 20;
  std::uint32_t clock = 100;
  std::size_t nextBlock = text.size() + 5'000;
  while (text.size() < eventsEnd) {
    if (text.size() >= nextBlock) {
      line(kBlock1);
      line(kBlock2);
      nextBlock += 25'000;
    }
    line(EventLine(random, clock));
  }
  line("");
  line("[Fonts]");
  line("fontname: hoshi_0.ttf");
  // uuencoded-looking font data in lines of 80 characters, up to the exact size (the last line
  // has no terminator when the size says so).
  while (text.size() < options.size) {
    std::string data;
    for (int i = 0; i < 80; ++i) data += static_cast<char>(33 + random.Below(64));
    text += data + eol;
  }
  text.resize(options.size);
  return text;
}

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    std::fprintf(stderr, "nosk_bench_corpus: can't write %s\n", path.c_str());
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "nosk_bench_corpus: %s needs a value\n", argv[i]);
        std::exit(2);
      }
      return argv[++i];
    };
    if (argument == "--out")
      options.out = value();
    else if (argument == "--count")
      options.count = std::atoi(value().c_str());
    else if (argument == "--size")
      options.size = std::strtoull(value().c_str(), nullptr, 10);
    else if (argument == "--line-ends")
      options.lineEnd = value() == "lf" ? "\n" : "\r\n";
    else if (argument == "--no-mark")
      options.mark = false;
    else if (argument == "--seed")
      options.seed = static_cast<std::uint32_t>(std::atoi(value().c_str()));
    else {
      std::fprintf(stderr,
                   "usage: nosk_bench_corpus --out DIR [--count N] [--size BYTES] "
                   "[--line-ends crlf|lf] [--no-mark] [--seed S]\n");
      return 2;
    }
  }
  if (options.out.empty() || options.count < 1 || options.size < 4'000) {
    std::fprintf(stderr, "nosk_bench_corpus: --out is required, --count >= 1, --size >= 4000\n");
    return 2;
  }
  std::filesystem::create_directories(options.out);
  for (int n = 1; n <= options.count; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "episode-%04d.ass", n);
    Write(options.out / name, Script(options, n));
  }
  Write(options.out.parent_path() / (options.out.filename().string() + "-search.txt"),
        kBlock1 + "\n" + kBlock2 + "\n");
  Write(options.out.parent_path() / (options.out.filename().string() + "-replace.txt"),
        kReplace[0] + "\n" + kReplace[1] + "\n" + kReplace[2] + "\n");
  return 0;
}
