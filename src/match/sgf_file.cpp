#include "match/sgf_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <cmath>
#include <optional>
#include <sstream>
#include <vector>

#include "match/game_replay.h"
#include "solvar/version.h"
#include "text/cp1251.h"

namespace solvar::match {

namespace {

using engine::Node;
using engine::Side;

// The playable grid SZ may give: a field of 3 x 3 up to the largest the
// Board holds.
constexpr int LeastGrid = 2;
constexpr int MostColumns = engine::MaxFieldWidth - 1;
constexpr int MostRows = engine::MaxFieldHeight - 1;

// How other programs read the two rule sets: a neural engine's key for the
// classic rules (empty rings are taken), the dots sites' name for theirs.
constexpr std::string_view ClassicRulesText = "dotsCaptureEmptyBase1";
constexpr std::string_view SportRulesText = "russian";

// The root properties this program writes itself (moves in the root node are
// written as moves); every other one of an opened file is kept as it was.
// The analysis of a move, in the move's node; other readers pass over a
// property they do not know.
constexpr std::string_view AnalysisProperty = "XA";

constexpr std::string_view OwnRootProperties[] = {"FF", "GM", "CA", "AP", "SZ", "RU", "PB", "PW", "DT", "RE",
                                                  "AB", "AW", "B",  "W",  "XA", "TM", "OT", "BL", "WL"};

// --- Writing.

std::string Escaped(std::string_view value) {
  std::string out;
  for (const char c : value) {
    if (c == ']' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

char Letter(int index) { return static_cast<char>(index < 26 ? 'a' + index : 'A' + index - 26); }

std::string Point(Node node) { return {Letter(node.X - 1), Letter(node.Y - 1)}; }

std::string SizeValue(int width, int height) {
  const int columns = width - 1;
  const int rows = height - 1;
  return columns == rows ? std::to_string(columns) : std::to_string(columns) + ":" + std::to_string(rows);
}

std::string SetupProperty(const char* id, const std::vector<PlayedMove>& setup, Side side) {
  std::string values;
  for (const PlayedMove& dot : setup) {
    if (dot.Mover == side) values += "[" + Point(dot.Dot) + "]";
  }
  return values.empty() ? std::string() : id + values;
}

std::string RulesValue(const GameRecord& record) {
  if (!record.RulesText.empty()) return record.RulesText;
  return std::string(record.Rules == engine::Rules::Sport ? SportRulesText : ClassicRulesText);
}

// The dot, then each enclosure it took as a closed ring (its first dot again
// at the end).
std::string MoveValue(const PlayedMove& move) {
  std::string value = Point(move.Dot);
  for (const Ring& ring : move.Paths) {
    if (ring.empty()) continue;
    value += '.';
    for (const Node node : ring) value += Point(node);
    value += Point(ring.front());
  }
  return value;
}

std::string KeptProperties(const std::vector<KeptProperty>& kept) {
  std::string text;
  for (const KeptProperty& property : kept) {
    text += property.Id;
    for (const std::string& value : property.Values) text += "[" + Escaped(value) + "]";
  }
  return text;
}

// A lead with one decimal, whatever the locale.
std::string LeadText(double lead) {
  char buffer[32];
  const auto written = std::to_chars(std::begin(buffer), std::end(buffer), lead, std::chars_format::fixed, 1);
  std::string text(buffer, written.ptr);
  return text == "-0.0" ? "0.0" : text;
}

// Seconds of a clock with one decimal ("72", "67.2" as the sites write them
// are read; the program writes "67.2" and "72.0").
std::string SecondsText(double seconds) { return LeadText(std::max(0.0, seconds)); }

// TM and OT, and each side's time at the start.
std::string ClockProperties(const GameRecord& record) {
  std::string text;
  if (record.TimeMain) text += "TM[" + SecondsText(*record.TimeMain) + "]";
  if (!record.Overtime.empty()) text += "OT[" + Escaped(record.Overtime) + "]";
  if (record.StartClock[0]) text += "BL[" + SecondsText(*record.StartClock[0]) + "]";
  if (record.StartClock[1]) text += "WL[" + SecondsText(*record.StartClock[1]) + "]";
  return text;
}

// The analysis of a move: "lead best best_lead", the best node as two letters.
std::string JudgementValue(const MoveJudgement& judgement) {
  return LeadText(judgement.Lead) + " " + Point(judgement.Best) + " " + LeadText(judgement.BestLead);
}

std::string MovesText(const GameRecord& record) {
  std::string text;
  const bool analysed = record.Analysis.size() == record.Moves.size();
  for (std::size_t i = 0; i < record.Moves.size(); ++i) {
    const PlayedMove& move = record.Moves[i];
    text += (i % 10 == 0 ? "\n;" : ";") + std::string(move.Mover == Side::Own ? "B" : "W") + "[" + MoveValue(move) + "]";
    if (i < record.MoveComments.size() && !record.MoveComments[i].empty()) {
      text += "C[" + Escaped(record.MoveComments[i]) + "]";
    }
    if (move.ClockLeft) text += (move.Mover == Side::Own ? "BL[" : "WL[") + SecondsText(*move.ClockLeft) + "]";
    if (analysed) text += std::string(AnalysisProperty) + "[" + JudgementValue(record.Analysis[i]) + "]";
  }
  if (record.End) {
    text += std::string(";") + (record.End->By == Side::Own ? "B" : "W") + "[" + (record.End->Resigned ? "resign" : "") + "]";
  }
  return text;
}

// --- Reading: the main line of the first game tree, as nodes of properties.

struct Property {
  std::string Id;
  std::vector<std::string> Values;
};
using SgfNode = std::vector<Property>;

[[noreturn]] void CutShort() { throw SgfError("the file is cut short", "Файл обрывается посреди партии."); }

class Parser {
 public:
  explicit Parser(std::string_view text) : m_text(text) {}

  std::vector<SgfNode> MainLine() {
    const std::size_t start = m_text.find("(");
    if (start == std::string_view::npos) throw SgfError("no game tree in the file", "Это не файл SGF: в нём нет партии.");
    m_at = start + 1;
    std::vector<SgfNode> line;
    int open = 1;
    for (;;) {
      SkipSpace();
      if (Peek() == ';') {
        ++m_at;
        line.push_back(ReadNode());
      } else if (Peek() == '(') {
        // The first variation goes on with the main line.
        ++m_at;
        ++open;
      } else {
        break;
      }
    }
    SkipRest(open);
    if (line.empty()) throw SgfError("the game tree has no node", "Это не файл SGF: в партии нет ни одного узла.");
    return line;
  }

 private:
  char Peek() const {
    if (m_at >= m_text.size()) CutShort();
    return m_text[m_at];
  }
  void SkipSpace() {
    while (m_at < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_at])) != 0) ++m_at;
  }
  [[noreturn]] void Unexpected() const {
    const std::string at = std::to_string(m_at);
    throw SgfError("unexpected character at " + at, "Файл SGF испорчен: неожиданный знак в позиции " + at + ".");
  }

  SgfNode ReadNode() {
    SgfNode node;
    for (;;) {
      SkipSpace();
      const char c = Peek();
      if (c == ';' || c == '(' || c == ')') return node;
      Property property;
      while (std::isalpha(static_cast<unsigned char>(Peek())) != 0) {
        // Old files may mix lower-case letters into a name; they do not count.
        if (std::isupper(static_cast<unsigned char>(m_text[m_at])) != 0) property.Id += m_text[m_at];
        ++m_at;
      }
      SkipSpace();
      if (Peek() != '[') Unexpected();
      while (Peek() == '[') {
        ++m_at;
        property.Values.push_back(ReadValue());
        SkipSpace();
      }
      node.push_back(std::move(property));
    }
  }

  std::string ReadValue() {
    std::string value;
    for (;;) {
      const char c = Peek();
      ++m_at;
      if (c == ']') return value;
      if (c == '\\') {
        const char next = Peek();
        ++m_at;
        if (next == '\r' || next == '\n') continue;  // a soft line break
        value += next;
      } else {
        value += c;
      }
    }
  }

  // The variations after the main line and the ends of the open trees.
  void SkipRest(int open) {
    while (open > 0) {
      const char c = Peek();
      ++m_at;
      if (c == '[') {
        ReadValue();
      } else if (c == '(') {
        ++open;
      } else if (c == ')') {
        --open;
      }
    }
  }

  std::string_view m_text;
  std::size_t m_at = 0;
};

// --- Reading: what the nodes mean.

const Property* Find(const SgfNode& node, std::string_view id) {
  for (const Property& property : node) {
    if (property.Id == id && !property.Values.empty()) return &property;
  }
  return nullptr;
}

const std::string* FirstValue(const SgfNode& node, std::string_view id) {
  const Property* property = Find(node, id);
  return property != nullptr ? &property->Values.front() : nullptr;
}

std::string Trimmed(std::string value) {
  const auto space = [](unsigned char c) { return std::isspace(c) != 0; };
  value.erase(value.begin(), std::find_if_not(value.begin(), value.end(), space));
  value.erase(std::find_if_not(value.rbegin(), value.rend(), space).base(), value.end());
  return value;
}

std::string Lower(std::string value) {
  for (char& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return value;
}

std::optional<int> Number(const std::string& text) {
  if (text.empty() || text.size() > 4 || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; })) {
    return std::nullopt;
  }
  return std::stoi(text);
}

bool IsMoveOfDots(const std::string& value) {
  const std::string dot = value.substr(0, value.find('.'));
  return value.empty() || value == "resign" ||
         (dot.size() == 2 && std::all_of(dot.begin(), dot.end(), [](unsigned char c) { return std::isalpha(c) != 0; }));
}

// A file without GM whose root gives a field size and whose moves are all
// nodes of two letters (or ends of the game) reads as a game of dots.
bool LooksLikeDots(const std::vector<SgfNode>& line) {
  if (FirstValue(line.front(), "SZ") == nullptr) return false;
  for (const SgfNode& node : line) {
    for (const Property& property : node) {
      if (property.Id != "B" && property.Id != "W") continue;
      if (!std::all_of(property.Values.begin(), property.Values.end(), IsMoveOfDots)) return false;
    }
  }
  return true;
}

// False when the file names no game but reads as one of dots.
bool CheckGame(const std::vector<SgfNode>& line) {
  const std::string* game = FirstValue(line.front(), "GM");
  if (game == nullptr) {
    if (LooksLikeDots(line)) return false;
    throw SgfError("the file names no game (no GM property; a game of dots is GM[40])",
                   "В файле не указано, что это за игра (нет свойства GM; партия в точки — GM[40]).");
  }
  const std::string value = Trimmed(*game);
  if (value != "40") {
    throw SgfError("GM[" + value + "] is not a game of dots (GM[40])",
                   "Это не партия в точки: GM[" + value + "] вместо GM[40].");
  }
  return true;
}

// SZ is the grid of playable nodes: the field is one larger each way.
void ReadSize(const SgfNode& root, GameRecord& record) {
  const std::string* size = FirstValue(root, "SZ");
  const std::string value = size != nullptr ? Trimmed(*size) : std::string();
  const std::size_t colon = value.find(':');
  const auto columns = Number(Trimmed(value.substr(0, colon)));
  const auto rows = colon == std::string::npos ? columns : Number(Trimmed(value.substr(colon + 1)));
  const std::string limits = std::to_string(LeastGrid) + ".." + std::to_string(MostColumns) + " × " +
                             std::to_string(LeastGrid) + ".." + std::to_string(MostRows);
  if (!columns || !rows || *columns < LeastGrid || *columns > MostColumns || *rows < LeastGrid || *rows > MostRows) {
    throw SgfError("SZ[" + value + "] is not a grid of " + limits + " nodes",
                   "Размер поля SZ[" + value + "] вне пределов " + limits + ".");
  }
  record.FieldWidth = *columns + 1;
  record.FieldHeight = *rows + 1;
}

std::optional<int> LetterIndex(char c) {
  if (c >= 'a' && c <= 'z') return c - 'a';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 26;
  return std::nullopt;
}

std::string MoveName(int number) { return number == 0 ? "set-up dot" : "move " + std::to_string(number); }
std::string RussianMoveName(int number) { return number == 0 ? "Расстановка" : "Ход " + std::to_string(number); }

[[noreturn]] void NotANode(const std::string& value, int number) {
  throw SgfError(MoveName(number) + ": '" + value + "' is not a node",
                 RussianMoveName(number) + ": «" + value + "» — не точка поля.");
}

// Two letters; whether the node lies on the field is the replay's to say.
Node ReadPoint(const std::string& value, int number) {
  const auto x = value.size() == 2 ? LetterIndex(value[0]) : std::nullopt;
  const auto y = value.size() == 2 ? LetterIndex(value[1]) : std::nullopt;
  if (!x || !y) NotANode(value, number);
  return Node{*x + 1, *y + 1};
}

// "xy", then each enclosure as ".p1p2...": a ring of nodes, closed or not.
PlayedMove ReadMove(const std::string& value, Side side, int number) {
  PlayedMove move{side, ReadPoint(value.substr(0, value.find('.')), number), {}};
  std::size_t at = value.find('.');
  while (at != std::string::npos) {
    const std::size_t next = value.find('.', at + 1);
    const std::string ring = value.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
    if (ring.size() % 2 != 0) NotANode(value, number);
    Ring nodes;
    for (std::size_t i = 0; i < ring.size(); i += 2) nodes.push_back(ReadPoint(ring.substr(i, 2), number));
    if (nodes.size() > 1 && nodes.front() == nodes.back()) nodes.pop_back();
    if (!nodes.empty()) move.Paths.push_back(std::move(nodes));
    at = next;
  }
  return move;
}

// The points of a set-up list, a rectangle "aa:cc" standing for every node in it.
void ReadSetup(const Property& property, Side side, GameRecord& record) {
  for (const std::string& value : property.Values) {
    const std::size_t colon = value.find(':');
    const Node first = ReadPoint(value.substr(0, colon), 0);
    const Node last = colon == std::string::npos ? first : ReadPoint(value.substr(colon + 1), 0);
    for (int x = std::min(first.X, last.X); x <= std::max(first.X, last.X); ++x) {
      for (int y = std::min(first.Y, last.Y); y <= std::max(first.Y, last.Y); ++y) {
        record.Setup.push_back(PlayedMove{side, Node{x, y}, {}});
      }
    }
  }
}

enum class Charset { Utf8, Windows1251, Either };

// Text without CA is read as UTF-8 when it is valid UTF-8, else as
// Windows-1251 (the Russian programs' own).
std::string AsUtf8(const std::string& raw, Charset charset) {
  switch (charset) {
    case Charset::Utf8: return raw;
    case Charset::Windows1251: return text::Cp1251ToUtf8(raw);
    case Charset::Either: return text::IsValidUtf8(raw) ? raw : text::Cp1251ToUtf8(raw);
  }
  return raw;
}

Charset CharsetOf(const SgfNode& root) {
  const std::string* ca = FirstValue(root, "CA");
  if (ca == nullptr) return Charset::Either;
  const std::string value = Lower(Trimmed(*ca));
  return value == "windows-1251" || value == "cp1251" ? Charset::Windows1251 : Charset::Utf8;
}

// A move's value that ends the game instead of putting a dot: an empty one
// (the side grounds its dots) or a resignation.
std::optional<GameEnd> GameEndOf(const std::string& value, Side side) {
  if (Trimmed(value).empty()) return GameEnd{side, false};
  if (Lower(Trimmed(value)) == "resign") return GameEnd{side, true};
  return std::nullopt;
}

std::optional<double> LeadOf(const std::string& text) {
  double value = 0;
  const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
  if (read.ec != std::errc() || read.ptr != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// "lead best best_lead"; none when it does not read so (the game opens
// without its analysis).
std::optional<MoveJudgement> ReadJudgement(const std::string& value) {
  std::istringstream words(value);
  std::string lead, best, bestLead, more;
  if (!(words >> lead >> best >> bestLead) || (words >> more)) return std::nullopt;
  const auto x = best.size() == 2 ? LetterIndex(best[0]) : std::nullopt;
  const auto y = best.size() == 2 ? LetterIndex(best[1]) : std::nullopt;
  const auto leadValue = LeadOf(lead);
  const auto bestValue = LeadOf(bestLead);
  if (!x || !y || !leadValue || !bestValue) return std::nullopt;
  return MoveJudgement{*leadValue, Node{*x + 1, *y + 1}, *bestValue};
}

// The analysis is kept only when every move has one.
void KeepAnalysis(const std::vector<std::optional<MoveJudgement>>& judged, GameRecord& record) {
  if (judged.size() != record.Moves.size() || record.Moves.empty()) return;
  if (std::any_of(judged.begin(), judged.end(), [](const auto& judgement) { return !judgement; })) return;
  for (const auto& judgement : judged) record.Analysis.push_back(*judgement);
}

// Seconds as the sites write a clock: "240", "67.2"; none for anything else.
std::optional<double> ClockSeconds(const std::string* value) {
  if (value == nullptr) return std::nullopt;
  const auto seconds = LeadOf(Trimmed(*value));
  if (!seconds || *seconds < 0 || *seconds > 1e6) return std::nullopt;
  return seconds;
}

// BL and WL before the first move: each side's time at the start.
void ReadStartClocks(const SgfNode& node, GameRecord& record) {
  if (const auto black = ClockSeconds(FirstValue(node, "BL"))) record.StartClock[0] = black;
  if (const auto white = ClockSeconds(FirstValue(node, "WL"))) record.StartClock[1] = white;
}

// The mover's time left, in the node of its move.
void ReadClockAfterMove(const SgfNode& node, PlayedMove& move) {
  if (const auto left = ClockSeconds(FirstValue(node, move.Mover == Side::Own ? "BL" : "WL"))) move.ClockLeft = left;
}

void ReadNodes(const std::vector<SgfNode>& line, Charset charset, GameRecord& record,
               std::vector<std::optional<MoveJudgement>>& judged) {
  for (const SgfNode& node : line) {
    if (record.End) return;  // what follows the end is not played
    for (const Property& property : node) {
      const bool setup = property.Id == "AB" || property.Id == "AW";
      const bool move = property.Id == "B" || property.Id == "W";
      if (setup && !record.Moves.empty()) {
        throw SgfError("set-up dots after the first move", "Расстановка точек после первого хода не поддерживается.");
      }
      if (setup) ReadSetup(property, property.Id == "AB" ? Side::Own : Side::Rival, record);
      if (!move) continue;
      const Side side = property.Id == "B" ? Side::Own : Side::Rival;
      for (const std::string& value : property.Values) {
        if (record.End) break;
        if ((record.End = GameEndOf(value, side))) break;
        record.Moves.push_back(ReadMove(value, side, static_cast<int>(record.Moves.size()) + 1));
      }
    }
    if (record.Moves.empty()) {
      ReadStartClocks(node, record);
      continue;
    }
    ReadClockAfterMove(node, record.Moves.back());
    if (const std::string* analysis = FirstValue(node, AnalysisProperty)) {
      judged.resize(record.Moves.size());
      judged.back() = ReadJudgement(*analysis);
    }
    if (&node == &line.front()) continue;
    if (const std::string* comment = FirstValue(node, "C")) {
      record.MoveComments.resize(record.Moves.size());
      record.MoveComments.back() = AsUtf8(*comment, charset);
    }
  }
}

void ReadMoves(const std::vector<SgfNode>& line, Charset charset, GameRecord& record) {
  std::vector<std::optional<MoveJudgement>> judged;
  ReadNodes(line, charset, record, judged);
  KeepAnalysis(judged, record);
}

void KeepRootProperties(const SgfNode& root, Charset charset, GameRecord& record) {
  for (const Property& property : root) {
    if (std::find(std::begin(OwnRootProperties), std::end(OwnRootProperties), property.Id) != std::end(OwnRootProperties)) {
      continue;
    }
    KeptProperty kept{property.Id, {}};
    for (const std::string& value : property.Values) kept.Values.push_back(AsUtf8(value, charset));
    record.Kept.push_back(std::move(kept));
  }
}

std::string Text(const SgfNode& root, std::string_view id, Charset charset) {
  const std::string* value = FirstValue(root, id);
  return value == nullptr ? std::string() : AsUtf8(*value, charset);
}

bool HasPaths(const GameRecord& record) {
  return std::any_of(record.Moves.begin(), record.Moves.end(), [](const PlayedMove& move) { return !move.Paths.empty(); });
}

int PlayableMoves(const std::optional<ReplayError>& stop, const GameRecord& record) {
  return stop ? stop->MoveNumber() - 1 : static_cast<int>(record.Moves.size());
}

// Counts the captures each move makes as the game is replayed.
class CapturesByMove : public MatchObserver {
 public:
  explicit CapturesByMove(std::size_t setup) : m_setup(setup) {}
  void OnDotPlaced(engine::Node, engine::Side) override { ++m_dots; }
  void OnCapture(const engine::Outline&) override {
    if (m_dots > m_setup) ++Made[m_dots - m_setup - 1];
  }
  std::map<std::size_t, int> Made;  // by move, from 0

 private:
  std::size_t m_setup;
  std::size_t m_dots = 0;
};

// A move that records an enclosure where the rules took nothing: the
// enclosure was made by other rules.
bool RecordsEnclosuresTheRulesDoNotMake(const GameRecord& record) {
  CapturesByMove captures(record.Setup.size());
  engine::Board board;
  ReplayOnto(board, record, static_cast<int>(record.Moves.size()), &captures);
  for (std::size_t i = 0; i < record.Moves.size(); ++i) {
    if (!record.Moves[i].Paths.empty() && captures.Made[i] == 0) return true;
  }
  return false;
}

// How a file that names no rules is read.
enum class ReadAs { Classic, Sport, RecordedRings };

// A file that names no rules the program knows: the classic rules, or the
// sport rules when the classic ones cannot play the game to its end and the
// sport ones get further, or when the classic ones play it but would not
// have made an enclosure the file records. Where neither plays it to its
// end and the file records its enclosures, the recorded rings are the
// captures (a site whose players choose whether to close a ring) when that
// reading gets further still. `readAs` tells which was taken.
std::optional<ReplayError> ChooseRules(GameRecord& record, ReadAs& readAs) {
  record.Rules = engine::Rules::Classic;
  record.CapturesFollowPaths = false;
  readAs = ReadAs::Classic;
  const std::optional<ReplayError> classic = FirstUnplayableMove(record);
  if (!classic && !(HasPaths(record) && RecordsEnclosuresTheRulesDoNotMake(record))) return classic;
  record.Rules = engine::Rules::Sport;
  std::optional<ReplayError> best = FirstUnplayableMove(record);
  readAs = ReadAs::Sport;
  if (classic && PlayableMoves(best, record) <= PlayableMoves(classic, record)) {
    record.Rules = engine::Rules::Classic;
    readAs = ReadAs::Classic;
    best = classic;
  }
  if (best && HasPaths(record)) {
    GameRecord byRings = record;
    byRings.Rules = engine::Rules::Sport;
    byRings.CapturesFollowPaths = true;
    const std::optional<ReplayError> rings = FirstUnplayableMove(byRings);
    if (PlayableMoves(rings, record) > PlayableMoves(best, record)) {
      record.Rules = engine::Rules::Sport;
      record.CapturesFollowPaths = true;
      readAs = ReadAs::RecordedRings;
      return rings;
    }
  }
  return best;
}

std::string NodeText(Node node) { return std::to_string(node.X) + " - " + std::to_string(node.Y); }

std::string RussianReason(ReplayError::Why why) {
  switch (why) {
    case ReplayError::Why::OffField: return "точка вне поля";
    case ReplayError::Why::OnADot: return "в этой партии точка поставлена на занятый узел";
    case ReplayError::Why::InATakenRegion:
      return "в этой партии точка поставлена в окружённую область; по правилам программы туда ходить нельзя";
  }
  return std::string();
}

std::string EnglishReason(ReplayError::Why why) {
  switch (why) {
    case ReplayError::Why::OffField: return "the dot is off the field";
    case ReplayError::Why::OnADot: return "the dot is on a node that holds a dot";
    case ReplayError::Why::InATakenRegion: return "the dot is in a region already taken, which the rules do not allow";
  }
  return std::string();
}

// Cuts the game after its last playable move, with a note that names the
// move as the log does and says why it could not be played.
void CutAt(const ReplayError& stop, OpenedGame& opened) {
  if (stop.MoveNumber() == 0) {
    throw SgfError("a set-up dot at " + NodeText(stop.Node()) + ": " + EnglishReason(stop.Reason()),
                   "Расстановка (" + NodeText(stop.Node()) + "): " + RussianReason(stop.Reason()) + ".");
  }
  GameRecord& record = opened.Record;
  const int kept = stop.MoveNumber() - 1;
  const std::string move = std::to_string(stop.MoveNumber());
  opened.NoteEnglish = "move " + move + " (" + NodeText(stop.Node()) + "): " + EnglishReason(stop.Reason()) +
                       "; the game is shown to move " + std::to_string(kept) + " of " +
                       std::to_string(record.Moves.size());
  opened.NoteRussian = "Ход " + move + " (" + NodeText(stop.Node()) + "): " + RussianReason(stop.Reason()) +
                       ". Партия показана до хода " + std::to_string(kept) + " из " +
                       std::to_string(record.Moves.size()) + ".";
  record.Moves.resize(static_cast<std::size_t>(kept));
  if (record.MoveComments.size() > record.Moves.size()) record.MoveComments.resize(record.Moves.size());
  if (record.Analysis.size() > record.Moves.size()) record.Analysis.resize(record.Moves.size());
  record.End.reset();
}

void Assume(OpenedGame& opened, const std::string& english, const std::string& russian) {
  opened.AssumedEnglish += (opened.AssumedEnglish.empty() ? "" : "; ") + english;
  opened.AssumedRussian += (opened.AssumedRussian.empty() ? "" : " ") + russian;
}

// "B+3.5" and the like: who won and by what.
std::string WinnerName(const GameRecord& record, char side) {
  const std::string& name = side == 'B' ? record.Player1 : record.Player2;
  if (!name.empty()) return name;
  return side == 'B' ? "первый игрок" : "второй игрок";
}

}  // namespace

std::optional<engine::Rules> RulesOfSgf(std::string_view ru, bool* enclosingIsAChoice) {
  const std::string value = Lower(Trimmed(std::string(ru)));
  if (enclosingIsAChoice != nullptr) *enclosingIsAChoice = false;
  if (value.find("dotscaptureemptybase1") != std::string::npos) return engine::Rules::Classic;
  if (value.find("dotscaptureemptybase0") != std::string::npos) return engine::Rules::Sport;
  if (value.find("mustsurr=") != std::string::npos) {
    if (enclosingIsAChoice != nullptr) *enclosingIsAChoice = value.find("mustsurr=0") != std::string::npos;
    return engine::Rules::Sport;
  }
  if (value == "russian") return engine::Rules::Sport;
  return std::nullopt;
}

std::string WriteSgf(const GameRecord& record, const std::string& date) {
  std::string sgf = "(;FF[4]GM[40]CA[UTF-8]AP[" + Escaped(std::string("Сольвар:") + ProgramVersion) + "]";
  sgf += "SZ[" + SizeValue(record.FieldWidth, record.FieldHeight) + "]";
  sgf += "RU[" + Escaped(RulesValue(record)) + "]";
  sgf += "PB[" + Escaped(record.Player1) + "]PW[" + Escaped(record.Player2) + "]";
  sgf += "DT[" + Escaped(record.Date.empty() ? date : record.Date) + "]";
  if (!record.Result.empty()) sgf += "RE[" + Escaped(record.Result) + "]";
  sgf += ClockProperties(record);
  sgf += KeptProperties(record.Kept);
  sgf += SetupProperty("AB", record.Setup, Side::Own);
  sgf += SetupProperty("AW", record.Setup, Side::Rival);
  sgf += MovesText(record);
  sgf += ")\n";
  return sgf;
}

OpenedGame OpenSgf(std::string_view text) {
  const std::vector<SgfNode> line = Parser(text).MainLine();
  const SgfNode& root = line.front();
  OpenedGame opened;
  if (!CheckGame(line)) {
    Assume(opened, "the file names no game (no GM); its field size and moves are those of a game of dots",
           "В файле не указано, что это за игра (нет свойства GM); по размеру поля и ходам это партия в точки.");
  }
  GameRecord& record = opened.Record;
  ReadSize(root, record);
  const Charset charset = CharsetOf(root);
  record.Player1 = Text(root, "PB", charset);
  record.Player2 = Text(root, "PW", charset);
  record.Result = Trimmed(Text(root, "RE", charset));
  record.Date = Text(root, "DT", charset);
  record.RulesText = Text(root, "RU", charset);
  record.TimeMain = ClockSeconds(FirstValue(root, "TM"));
  record.Overtime = Text(root, "OT", charset);
  KeepRootProperties(root, charset, record);
  ReadMoves(line, charset, record);
  bool enclosingIsAChoice = false;
  const std::optional<engine::Rules> named = RulesOfSgf(record.RulesText, &enclosingIsAChoice);
  record.CapturesFollowPaths = enclosingIsAChoice && HasPaths(record);
  std::optional<ReplayError> stop;
  ReadAs readAs = ReadAs::Classic;
  if (named) {
    record.Rules = *named;
    stop = FirstUnplayableMove(record);
  } else if (stop = ChooseRules(record, readAs); readAs == ReadAs::Sport) {
    Assume(opened, "the file names no rules, and its moves are those of the sport rules: it is read by them",
           "В файле не указаны правила, а ходы партии возможны только по спортивным правилам: она открыта по ним.");
  } else if (readAs == ReadAs::RecordedRings) {
    Assume(opened,
           "the file names no rules, and only its recorded enclosures make its moves playable: a region is taken "
           "where the file closes a ring",
           "В файле не указаны правила, а ходы партии возможны, только если окружения делаются там, где они "
           "записаны: она открыта так.");
  }
  if (stop) CutAt(*stop, opened);
  return opened;
}

GameRecord ReadSgf(std::string_view text) {
  OpenedGame opened = OpenSgf(text);
  if (!opened.IsWhole()) throw SgfError(opened.NoteEnglish, opened.NoteRussian);
  return std::move(opened.Record);
}

std::string ResultDescription(const GameRecord& record) {
  const std::string result = Trimmed(record.Result);
  if (result.empty()) return std::string();
  if (result == "0" || Lower(result) == "draw") return "Ничья";
  if (result.size() < 3 || (result[0] != 'B' && result[0] != 'W') || result[1] != '+') return "Итог: " + result;
  const std::string winner = WinnerName(record, result[0]);
  const std::string by = result.substr(2);
  if (by == "R") return "Выиграл " + winner + ": соперник сдался";
  if (by == "T") return "Выиграл " + winner + " по времени";
  if (by == "G") return "Выиграл " + winner + ": соперник заземлился";
  return "Выиграл " + winner + " на " + by;
}

}  // namespace solvar::match
