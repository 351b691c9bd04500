// StageCompiler: turns the readable stage maps of one world
// (assets/stages/WORLD.txt) into binary stage files data/WORLDNN.dat.
//
// Map syntax: "world NAME" once, then per stage "stage N [title]" followed by
// lines "ROW t t ... t" of 16 two-letter cell tokens; rows not given are
// empty. Tokens: ".." nothing, LK lock, WL wall, BM bomb, SN snowman,
// WH water hole, FL flame, LV lava, T< T> T^ tornado, C< C> C^ wind cloud,
// PL plant, M< M> M^ mushroom (< left, > right, ^ up or straight on).
//
// Binary file: magic 0x01321A98 (little-endian), one world byte (1 water,
// 2 fire, 3 earth, 4 air), then 4-byte records (row, column, code,
// parameter) in row-major order.
#pragma once

#include <string>

namespace Art
{

// Compiles one map file into outDir/data/. Returns false with error (file
// and line) on a syntax error, a duplicate or missing stage, or an I/O error.
bool CompileStages(const std::string& mapPath, const std::string& outDir, int& stageCount, std::string& error);

} // namespace Art
