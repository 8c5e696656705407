#pragma once

// The documents the script tasks run on, made to a number of records rather than a size, so
// that the time per record can be compared between sizes. Deterministic for a given count.
//
//   records       <records><record id="1" code="C04711" qty="12"><name>name 1</name>
//                 <tag>t3</tag><tag>t8</tag><part n="1"/><note>...</note></record>...</records>
//                 (one to three tags, none to two parts, a note on every third record)
//   wide records  <records><record id="1"><f/>...<f/><last>1</last></record>...</records>, each
//                 record with 50 children, the last of them named last

#include <string>

std::string RecordsDocument(int records);
std::string WideRecordsDocument(int records);

// Children of each wide record, the last one included.
inline constexpr int kWideRecordChildren = 50;
