#pragma once
// Review pictures of the character sheets, for people judging the art:
// every registered review as strips of frames at 2x, each frame placed by
// its anchor over the floor, wall or ceiling it holds, and every sheet with
// a layout at 2x with its cells named.
#include <string>

int WriteReview(const std::string& outDir);
