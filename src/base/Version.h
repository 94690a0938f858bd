#pragma once

// The one place the version is written; the resource script and the programs read it from here.
#define LINKLOOM_VERSION_MAJOR 1
#define LINKLOOM_VERSION_MINOR 0
#define LINKLOOM_VERSION_PATCH 0
#define LINKLOOM_VERSION_BUILD 1
#define LINKLOOM_VERSION_TEXT "1.0.0.1"
