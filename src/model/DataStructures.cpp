#include "DataStructures.h"

#include <algorithm>

int CountFramesOfRoll(const TRKRollSet& rollSet, int32_t rollNumber)
{
    return static_cast<int>(std::count_if(rollSet.Frames.cbegin(), rollSet.Frames.cend(),
                                          [rollNumber](const TRKFrame& frame) {
                                              return frame.RollNumber == rollNumber;
                                          }));
}
