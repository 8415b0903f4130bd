// The pictures' worker's answers: which kinds of pictures a game has, the
// pictures of the kind asked for (from folders or zips), the one to show
// decoded and scaled, and the last pictures kept.
#pragma once
#include "preview/preview_request.h"

PreviewAnswererFactory PictureAnswers();
