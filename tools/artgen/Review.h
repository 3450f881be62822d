#pragma once
// Review pictures of the character sheets, for people judging the art:
// every registered review as strips of frames at 2x, each frame placed by
// its anchor over the floor, wall or ceiling it holds, every sheet with a
// layout at 2x with its cells named, and for reviews with a lineup mock
// screens of the stages (<character>_dusk.png).
#include <string>

int WriteReview(const std::string& outDir);
