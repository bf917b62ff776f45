#include "game/settings_store.h"

#include <QFileInfo>
#include <QSettings>

#include <array>
#include <utility>

namespace solvar::game {

namespace {

const QString FieldWidthKey = QStringLiteral("field/width");
const QString FieldHeightKey = QStringLiteral("field/height");
const std::array<QString, 4> ColorKeys = {QStringLiteral("colors/own"), QStringLiteral("colors/rival"),
                                          QStringLiteral("colors/background"), QStringLiteral("colors/grid")};
const QString LevelKey = QStringLiteral("computer/level");
const QString RulesKey = QStringLiteral("game/rules");
const QString ZoomKey = QStringLiteral("view/zoom");
const QString OpeningKey = QStringLiteral("game/opening");
const QString SoundKey = QStringLiteral("view/sound");
const QString CoordinatesKey = QStringLiteral("view/coordinates");
const QString ClockKindKey = QStringLiteral("clock/kind");
const QString ClockMainKey = QStringLiteral("clock/main");
const QString ClockMoveKey = QStringLiteral("clock/move");
const std::array<std::pair<const char*, match::TimeControl::Kind>, 3> ClockKinds = {
    {{"none", match::TimeControl::Kind::None},
     {"added", match::TimeControl::Kind::Increment},
     {"free", match::TimeControl::Kind::FreeSeconds}}};
const std::array<std::pair<const char*, match::Opening>, 5> Openings = {{{"empty", match::Opening::Empty},
                                                                          {"cross", match::Opening::Cross},
                                                                          {"two", match::Opening::TwoCrosses},
                                                                          {"four", match::Opening::FourCrosses},
                                                                          {"random", match::Opening::RandomCrosses}}};
// The longest main time and move seconds a time control may have.
constexpr long long MostMainSeconds = 3 * 3600;
constexpr long long MostMoveSeconds = 600;
const QString MoveListKey = QStringLiteral("view/moveList");
const QString WindowKey = QStringLiteral("window/place");
const QString PortKey = QStringLiteral("network/port");
const QString AddressKey = QStringLiteral("network/lastAddress");
const QString FolderKey = QStringLiteral("games/folder");
const QString CommandLineKey = QStringLiteral("engine/commandLine");

const std::array<std::pair<const char*, ComputerLevel>, 3> Levels = {
    {{"standard", ComputerLevel::Standard}, {"strong", ComputerLevel::Strong}, {"other", ComputerLevel::OtherProgram}}};
const std::array<std::pair<const char*, double>, 5> Zooms = {
    {{"100", 1.0}, {"150", 1.5}, {"200", 2.0}, {"300", 3.0}, {"fit", FitToWindow}}};

// Reads one value, checked; a value that is there and not one of the
// program's counts as damage and leaves the default.
class Reader {
 public:
  explicit Reader(QSettings& file) : m_file(file) {}
  bool Damaged() const { return m_damaged; }

  std::optional<long long> Number(const QString& key, long long low, long long high) {
    if (!m_file.contains(key)) return std::nullopt;
    bool ok = false;
    const long long value = m_file.value(key).toString().toLongLong(&ok, 0);
    if (ok && value >= low && value <= high) return value;
    m_damaged = true;
    return std::nullopt;
  }
  template <std::size_t N, class T>
  std::optional<T> Word(const QString& key, const std::array<std::pair<const char*, T>, N>& words) {
    if (!m_file.contains(key)) return std::nullopt;
    const QString value = m_file.value(key).toString();
    for (const auto& [word, meaning] : words) {
      if (value == QLatin1String(word)) return meaning;
    }
    m_damaged = true;
    return std::nullopt;
  }
  QString Text(const QString& key) {
    const QVariant value = m_file.value(key);
    if (value.isValid() && !value.canConvert<QString>()) m_damaged = true;
    return value.toString();
  }
  std::optional<QRect> Place(const QString& key) {
    if (!m_file.contains(key)) return std::nullopt;
    const QStringList parts = m_file.value(key).toStringList();
    std::array<int, 4> numbers{};
    bool ok = parts.size() == 4;
    for (int i = 0; ok && i < 4; ++i) numbers[static_cast<std::size_t>(i)] = parts[i].toInt(&ok);
    if (ok && numbers[2] > 0 && numbers[3] > 0 && numbers[2] < 100000 && numbers[3] < 100000) {
      return QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
    }
    m_damaged = true;
    return std::nullopt;
  }

 private:
  QSettings& m_file;
  bool m_damaged = false;
};

// Every key the program writes.
bool IsKnownKey(const QString& key) {
  static const QStringList known = {FieldWidthKey, FieldHeightKey, ColorKeys[0], ColorKeys[1], ColorKeys[2],
                                    ColorKeys[3], LevelKey, RulesKey, ZoomKey, MoveListKey, WindowKey, PortKey,
                                    AddressKey, FolderKey, CommandLineKey, OpeningKey, SoundKey, CoordinatesKey,
                                    ClockKindKey, ClockMainKey, ClockMoveKey};
  return known.contains(key);
}

// A file that holds keys the program never writes (random bytes, another
// program's file) is damaged: they are dropped, so that they are not
// written back with the next setting kept.
bool DropStrangeKeys(QSettings& file) {
  bool dropped = false;
  for (const QString& key : file.allKeys()) {
    if (IsKnownKey(key)) continue;
    file.remove(key);
    dropped = true;
  }
  return dropped;
}

}  // namespace

SettingsStore::SettingsStore(const QString& file)
    : m_file(file.isEmpty() ? std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("solvar"),
                                                          QStringLiteral("solvar"))
                            : std::make_unique<QSettings>(file, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

Settings SettingsStore::Load(QString* problem) {
  Settings settings;
  const QString name = QFileInfo(m_file->fileName()).fileName();
  if (m_file->status() != QSettings::NoError) {
    if (problem != nullptr) {
      *problem = QStringLiteral("ERROR->> Файл настроек %1 не прочитан: взяты настройки по умолчанию.").arg(name);
    }
    return settings;
  }
  Reader read(*m_file);
  const bool strangeKeys = DropStrangeKeys(*m_file);
  const auto width = read.Number(FieldWidthKey, engine::MinFieldWidth, engine::MaxFieldWidth);
  const auto height = read.Number(FieldHeightKey, engine::MinFieldHeight, engine::MaxFieldHeight);
  if (width && height) {
    settings.FieldWidth = static_cast<int>(*width);
    settings.FieldHeight = static_cast<int>(*height);
    settings.FieldSizeKept = true;
  }
  render::Color* colors[] = {&settings.Colors.OwnColor, &settings.Colors.RivalColor, &settings.Colors.BackColor,
                             &settings.Colors.GridColor};
  for (std::size_t i = 0; i < ColorKeys.size(); ++i) {
    if (const auto color = read.Number(ColorKeys[i], 0, 0xFFFFFF)) *colors[i] = static_cast<render::Color>(*color);
  }
  if (const auto level = read.Word(LevelKey, Levels)) settings.Level = *level;
  if (const auto rules = read.Word(RulesKey, std::array<std::pair<const char*, engine::Rules>, 2>{
                                                 {{"classic", engine::Rules::Classic}, {"sport", engine::Rules::Sport}}})) {
    settings.Rules = *rules;
  }
  if (const auto zoom = read.Word(ZoomKey, Zooms)) settings.Zoom = *zoom;
  if (const auto opening = read.Word(OpeningKey, Openings)) settings.Start = *opening;
  if (const auto shown = read.Word(CoordinatesKey, std::array<std::pair<const char*, bool>, 2>{{{"shown", true}, {"hidden", false}}})) {
    settings.Coordinates = *shown;
  }
  if (const auto sound = read.Word(SoundKey, std::array<std::pair<const char*, bool>, 2>{{{"on", true}, {"off", false}}})) {
    settings.Sound = *sound;
  }
  if (const auto kind = read.Word(ClockKindKey, ClockKinds); kind && *kind != match::TimeControl::Kind::None) {
    const auto main = read.Number(ClockMainKey, 0, MostMainSeconds);
    const auto move = read.Number(ClockMoveKey, 0, MostMoveSeconds);
    if (main && move) settings.Clock = match::TimeControl{*kind, static_cast<int>(*main), static_cast<int>(*move)};
  }
  if (const auto shown = read.Word(MoveListKey, std::array<std::pair<const char*, bool>, 2>{{{"shown", true}, {"hidden", false}}})) {
    settings.MoveListShown = *shown;
  }
  if (const auto place = read.Place(WindowKey)) settings.WindowPlace = *place;
  if (const auto port = read.Number(PortKey, 1, 65535)) settings.Port = static_cast<std::uint16_t>(*port);
  settings.LastAddress = read.Text(AddressKey);
  settings.GamesFolder = read.Text(FolderKey);
  settings.EngineCommandLine = read.Text(CommandLineKey);
  if ((read.Damaged() || strangeKeys) && problem != nullptr) {
    *problem = QStringLiteral("ERROR->> Файл настроек %1 повреждён: где он не читается, взяты настройки по умолчанию.").arg(name);
  }
  return settings;
}

void SettingsStore::Write(const QString& key, const QVariant& value) {
  m_file->setValue(key, value);
  m_file->sync();
}

void SettingsStore::SaveFieldSize(int fieldWidth, int fieldHeight) {
  Write(FieldWidthKey, fieldWidth);
  Write(FieldHeightKey, fieldHeight);
}

void SettingsStore::SaveColors(const render::FieldColors& colors) {
  const render::Color values[] = {colors.OwnColor, colors.RivalColor, colors.BackColor, colors.GridColor};
  for (std::size_t i = 0; i < ColorKeys.size(); ++i) {
    Write(ColorKeys[i], QStringLiteral("0x%1").arg(values[i], 6, 16, QLatin1Char('0')));
  }
}

void SettingsStore::SaveLevel(ComputerLevel level) {
  for (const auto& [word, meaning] : Levels) {
    if (meaning == level) Write(LevelKey, QString::fromLatin1(word));
  }
}

void SettingsStore::SaveRules(engine::Rules rules) {
  Write(RulesKey, rules == engine::Rules::Sport ? QStringLiteral("sport") : QStringLiteral("classic"));
}

void SettingsStore::SaveZoom(double zoom) {
  for (const auto& [word, meaning] : Zooms) {
    if (meaning == zoom) Write(ZoomKey, QString::fromLatin1(word));
  }
}

void SettingsStore::SaveTimeControl(const match::TimeControl& control) {
  for (const auto& [word, meaning] : ClockKinds) {
    if (meaning == control.Type) Write(ClockKindKey, QString::fromLatin1(word));
  }
  Write(ClockMainKey, control.MainSeconds);
  Write(ClockMoveKey, control.MoveSeconds);
}

void SettingsStore::SaveOpening(match::Opening opening) {
  Write(OpeningKey, QString::fromLatin1(match::OpeningWord(opening).data(), static_cast<qsizetype>(match::OpeningWord(opening).size())));
}

void SettingsStore::SaveCoordinates(bool shown) {
  Write(CoordinatesKey, shown ? QStringLiteral("shown") : QStringLiteral("hidden"));
}

void SettingsStore::SaveSound(bool on) { Write(SoundKey, on ? QStringLiteral("on") : QStringLiteral("off")); }

void SettingsStore::SaveMoveListShown(bool shown) {
  Write(MoveListKey, shown ? QStringLiteral("shown") : QStringLiteral("hidden"));
}

void SettingsStore::SaveWindowPlace(const QRect& place) {
  Write(WindowKey, QStringList{QString::number(place.x()), QString::number(place.y()), QString::number(place.width()),
                               QString::number(place.height())});
}

void SettingsStore::SaveLastAddress(const QString& address) { Write(AddressKey, address); }
void SettingsStore::SavePort(std::uint16_t port) { Write(PortKey, port); }
void SettingsStore::SaveGamesFolder(const QString& folder) { Write(FolderKey, folder); }
void SettingsStore::SaveEngineCommandLine(const QString& commandLine) { Write(CommandLineKey, commandLine); }

}  // namespace solvar::game
