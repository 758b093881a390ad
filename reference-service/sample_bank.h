#pragma once

#include <string>
#include <vector>

#include "comment_bank.h"

namespace quillbox::reference {

// The sample comment bank a new database is filled with unless a bank file is given:
//   jane.doe@example.com     password "chalk-board"  five subjects, among them "Art & Design"
//                                                    and "Français"
//   r.patel+reports@example.org  password "p&ss wörd+1"  two subjects
//   new.teacher@example.com  password "empty"        no subjects
// Comments use the markers "#" (pupil name), "~" (his/her), "^" (he/she) and "*" (him/her).
const std::string& SampleBankJson();
std::vector<BankTeacher> SampleBank();

}  // namespace quillbox::reference
