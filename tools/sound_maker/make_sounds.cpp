// Writes the game's sounds as small WAV files (16-bit mono, 22 050 Hz) into
// the folder given: each is made here from tones with a soft attack and
// decay, so that the program carries no recorded sound.
//   solvar-make-sounds FOLDER

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 22050;
constexpr double Pi = 3.14159265358979323846;

struct Tone {
  double Hertz = 0;      // 0: silence
  double Seconds = 0;
  double Loudness = 0.5;  // of full scale
};

// A tone that rises in 4 ms and dies away, with a little of its octave for
// a rounder sound.
void AddTone(std::vector<double>& samples, const Tone& tone) {
  const int count = static_cast<int>(tone.Seconds * Rate);
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / Rate;
    if (tone.Hertz <= 0) {
      samples.push_back(0);
      continue;
    }
    const double attack = std::min(1.0, t / 0.004);
    const double decay = std::exp(-4.0 * t / tone.Seconds);
    const double wave = std::sin(2 * Pi * tone.Hertz * t) + 0.25 * std::sin(4 * Pi * tone.Hertz * t);
    samples.push_back(tone.Loudness * attack * decay * wave / 1.25);
  }
}

void PutLittle(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool WriteWav(const std::string& path, const std::vector<Tone>& tones) {
  std::vector<double> samples;
  for (const Tone& tone : tones) AddTone(samples, tone);
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  out.write("RIFF", 4);
  PutLittle(out, 36 + dataBytes, 4);
  out.write("WAVEfmt ", 8);
  PutLittle(out, 16, 4);        // the format chunk's size
  PutLittle(out, 1, 2);         // PCM
  PutLittle(out, 1, 2);         // mono
  PutLittle(out, Rate, 4);
  PutLittle(out, Rate * 2, 4);  // bytes a second
  PutLittle(out, 2, 2);         // bytes a sample
  PutLittle(out, 16, 2);        // bits a sample
  out.write("data", 4);
  PutLittle(out, dataBytes, 4);
  for (const double sample : samples) {
    const auto value = static_cast<std::int16_t>(std::lround(std::max(-1.0, std::min(1.0, sample)) * 32767));
    PutLittle(out, static_cast<std::uint16_t>(value), 2);
  }
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: solvar-make-sounds FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const struct {
    const char* Name;
    std::vector<Tone> Tones;
  } sounds[] = {
      {"dot", {{1320, 0.045, 0.35}}},
      {"capture", {{660, 0.07, 0.5}, {990, 0.11, 0.5}}},
      {"message", {{880, 0.12, 0.35}, {1318.5, 0.18, 0.35}}},
      {"clock", {{1000, 0.05, 0.45}, {0, 0.06}, {1000, 0.05, 0.45}}},
      {"win", {{523.25, 0.1, 0.45}, {659.25, 0.1, 0.45}, {783.99, 0.1, 0.45}, {1046.5, 0.25, 0.45}}},
      {"loss", {{392, 0.16, 0.45}, {329.63, 0.16, 0.45}, {261.63, 0.3, 0.45}}},
  };
  for (const auto& sound : sounds) {
    const std::string path = folder + "/" + sound.Name + ".wav";
    if (!WriteWav(path, sound.Tones)) {
      std::fprintf(stderr, "solvar-make-sounds: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
