#include "waitBar.h"

namespace hourglass {

std::string barText(int index) {
    if (index < 0) index = 0;
    if (index >= kBarTexts) index = kBarTexts - 1;
    const auto marks = static_cast<std::string::size_type>(index + 1);
    return std::string(marks, '>') + std::string(static_cast<std::string::size_type>(kBarTexts) - marks, ' ');
}

int nextBarState(int state) {
    if (state < 0) state = 0;
    return (state + 1) % kBarTexts;
}

}  // namespace hourglass
