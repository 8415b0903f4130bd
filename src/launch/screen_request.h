// The screen mode a caller asks for, over the saved Fullscreen setting.
#pragma once

enum class ScreenRequest { FollowSettings, FullScreen, Window };
