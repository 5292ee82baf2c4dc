// A recorder of the GL calls the game makes: the test binary links with
// --wrap for each GL and GLU function below, and the multitexture entry
// points are swapped for recording ones, so a frame becomes a list of lines
// such as "glBindTexture(GL_TEXTURE_2D, slot13)".
#pragma once

#include <string>
#include <vector>

namespace gltrace {

// Replaces the fetched multitexture entry points with recording ones that
// call the real ones. Call after the scene set-up has fetched them.
void InstallExtensionRecorders();

// Clears the record and records from now on. Writes to the collision table
// and to gameOver are recorded too, as "(box N written)" and "(gameOver
// set)" before the next GL call: the table is filled with a byte pattern no
// write produces, so that every write shows, also of an unchanged value.
void Start();
void Stop();
const std::vector<std::string> &Calls();

// The formats the recorder writes, for building expected lines.
std::string Float(double value);    // shortest text that reads back exactly
std::string Enum(unsigned value);   // GL_... name, or hex
std::string Texture(unsigned name); // slotN, cubemap, or the number

} // namespace gltrace
