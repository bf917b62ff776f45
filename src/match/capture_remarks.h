#pragma once
// What the computer says in the game log when a capture takes dots, outside
// network games.

#include <array>
#include <string_view>

#include "engine/board.h"
#include "engine/random.h"

namespace solvar::match {

inline constexpr std::string_view RemarkPrefix = "Message->> ";

// Said when side 2 captures.
inline constexpr std::array<std::string_view, 7> RivalCaptureRemarks = {
    "Учись как окружать надо!",
    "Я не тупая машина!",
    "Ура себе, я окружил тачки",
    "Вы скоро проиграете!",
    ":)",
    "Ты меня выиграешь или нет?",
    "Ха-Ха, я вас окружил!",
};

// Said when side 1 captures.
inline constexpr std::array<std::string_view, 7> OwnCaptureRemarks = {
    "Бывают и у машины промахи!",
    "О нет...",
    "Радуйтесь, пока...",
    "Во всём виноват программист",
    "Сейчас и я тебя окружу",
    "Бывает...",
    "Не зли меня, а то проц спалю",
};

// One remark of the capturing side's group, each with equal chance.
inline std::string_view PickCaptureRemark(engine::Side capturer, engine::Random& random) {
  const auto& group = capturer == engine::Side::Own ? OwnCaptureRemarks : RivalCaptureRemarks;
  return group[static_cast<std::size_t>(random.NextBelow(static_cast<int>(group.size())))];
}

}  // namespace solvar::match
