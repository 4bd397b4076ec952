// Where the peaks' labels go: each centred above its apex, the labels of taller peaks placed
// first. A label that would overlap one already placed rises above it, as far as the room it may
// rise allows; one that still overlaps, reaches above the plot or does not fit across it is left
// out rather than drawn over another.
#pragma once
#include <vector>

class CQLNSampleChromatogramLabelLayout
{
public:
    struct Label
    {
        // The apex's column and the row the label's bottom would like to sit on.
        int x;
        int bottom;
        int width;
        int height;
        // The taller the peak, the higher the number: placed before the lower ones.
        double priority;
    };
    struct Placed
    {
        bool shown;
        int left;
        int top;
    };

    // nLeft, nTop and nRight bound the plot; a label rises at most nMostRise above where it
    // would like to be. The answer is in the order of the labels given.
    static std::vector<Placed> Place(const std::vector<Label>& labels, int nLeft, int nTop, int nRight,
                                     int nMostRise);
};
