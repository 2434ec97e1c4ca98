// Changing the current drive the way a user does it from a directory window or a typed path.
#pragma once

// Makes the drive ('a'..'z', either case) current. When its current directory cannot be read,
// "Could not change to that drive" is told and the previous drive and directory come back.
// The engine's drive error flag is set while the change has failed and cleared once the
// previous drive is current again. 1 on success, 0 after the message.
int ChangeDrive(char drive);
