#include "QLNSampleChromatogramLabelLayout.h"

#include <algorithm>
#include <numeric>

namespace {

struct Box
{
    int left, top, right, bottom;
    // Touching edges do not overlap.
    bool Overlaps(const Box& other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

} // namespace

std::vector<CQLNSampleChromatogramLabelLayout::Placed> CQLNSampleChromatogramLabelLayout::Place(
    const std::vector<Label>& labels, int nLeft, int nTop, int nRight, int nMostRise)
{
    std::vector<Placed> placed(labels.size(), Placed{false, 0, 0});
    std::vector<size_t> order(labels.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return labels[a].priority > labels[b].priority; });
    std::vector<Box> taken;
    for (size_t i : order) {
        const Label& label = labels[i];
        if (label.width <= 0 || label.height <= 0 || label.width > nRight - nLeft)
            continue;
        // Centred on its apex, but kept inside the plot from side to side.
        const int left = std::min(std::max(label.x - label.width / 2, nLeft), nRight - label.width);
        Box box{left, label.bottom - label.height, left + label.width, label.bottom};
        bool clear = false;
        while (box.top >= nTop && label.bottom - box.bottom <= nMostRise) {
            const auto hit = std::find_if(taken.begin(), taken.end(), [&](const Box& b) { return b.Overlaps(box); });
            if (hit == taken.end()) {
                clear = true;
                break;
            }
            // Up to sit on the label in the way.
            box.bottom = hit->top;
            box.top = box.bottom - label.height;
        }
        if (!clear)
            continue;
        taken.push_back(box);
        placed[i] = Placed{true, box.left, box.top};
    }
    return placed;
}
