// SPDX-License-Identifier: GPL-3.0-or-later
// Readings from ICU's Han-Latin transliterator, which Qt's ICU already
// brings along. Making the transliterator reads its rules and takes about a
// second, so it is made on a thread of its own as soon as asked for; the
// first reading waits for it.

#include <unicode/translit.h>
#include <unicode/unistr.h>
#include <unicode/uscript.h>

#include <future>
#include <unordered_map>

#include "core/platform/HanReadings.h"

namespace qm::platform {
namespace {

std::unique_ptr<icu::Transliterator> MakeTransliterator() {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> made(
      icu::Transliterator::createInstance("Han-Latin; Latin-ASCII; Lower", UTRANS_FORWARD, status));
  return U_SUCCESS(status) ? std::move(made) : nullptr;
}

bool IsHan(char32_t character) {
  UErrorCode status = U_ZERO_ERROR;
  return uscript_getScript(static_cast<UChar32>(character), &status) == USCRIPT_HAN &&
         U_SUCCESS(status);
}

class IcuHanReadings : public HanReadings {
 public:
  IcuHanReadings() : making_(std::async(std::launch::async, MakeTransliterator)) {}

  std::string Reading(char32_t character) override {
    if (!IsHan(character)) return {};
    if (const auto known = known_.find(character); known != known_.end()) return known->second;
    return known_[character] = Transliterated(character);
  }

 private:
  std::string Transliterated(char32_t character) {
    if (making_.valid()) transliterator_ = making_.get();
    if (!transliterator_) return {};
    icu::UnicodeString text(static_cast<UChar32>(character));
    transliterator_->transliterate(text);
    std::string reading;
    text.toUTF8String(reading);
    // Anything but letters (a character left as it was) is no reading.
    for (char c : reading)
      if (c < 'a' || c > 'z') return {};
    return reading;
  }

  std::future<std::unique_ptr<icu::Transliterator>> making_;
  std::unique_ptr<icu::Transliterator> transliterator_;
  std::unordered_map<char32_t, std::string> known_;
};

}  // namespace

std::unique_ptr<HanReadings> CreateHanReadings() { return std::make_unique<IcuHanReadings>(); }

}  // namespace qm::platform
