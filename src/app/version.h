// The application's version record.
#pragma once

constexpr char VERSION_FULL[] = "2.0.13.45";
constexpr char VERSION_DAY[] = "10";
constexpr char VERSION_MONTH[] = "06";
constexpr char VERSION_YEAR[] = "2011";
constexpr int VERSION_BUILD_COUNT = 207;
