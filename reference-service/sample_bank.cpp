#include "sample_bank.h"

#include "bank_loader.h"

namespace quillbox::reference {

const std::string& SampleBankJson() {
  static const std::string kJson = R"json({
  "teachers": [
    {
      "email": "jane.doe@example.com",
      "password": "chalk-board",
      "subjects": [
        {
          "name": "English",
          "tabs": [
            {"name": "Opening", "comments": [
              "# has worked hard in English this year and ^ should be proud of ~ progress.",
              "# has had a mixed year in English; ~ effort in lessons has not always matched ~ ability.",
              "# is a lively member of the class who contributes well to discussions."]},
            {"name": "Reading", "comments": [
              "^ reads widely and with real enjoyment.",
              "# reads fluently, but ^ should try books that challenge * more.",
              "Reading aloud still worries *; practice at home would help."]},
            {"name": "Writing", "comments": [
              "~ stories are imaginative and carefully planned.",
              "# must take more care over ~ spelling and punctuation.",
              "^ writes persuasive essays with confidence."]},
            {"name": "Next steps", "comments": [
              "Next year # should aim to proof-read every piece ^ hands in.",
              "I look forward to teaching * again next year."]}
          ]
        },
        {
          "name": "Mathematics",
          "tabs": [
            {"name": "Number", "comments": [
              "# is quick and accurate with mental arithmetic.",
              "Fractions still cause * some difficulty; ^ needs more practice."]},
            {"name": "Problem solving", "comments": [
              "^ explains ~ reasoning clearly and checks ~ answers.",
              "# gives up too easily when a problem looks unfamiliar."]},
            {"name": "Next steps", "comments": [
              "# should learn ~ times tables by heart over the summer."]}
          ]
        },
        {
          "name": "Art & Design",
          "tabs": [
            {"name": "Practical work", "comments": [
              "# has a good eye for colour and composition.",
              "~ sketchbook shows steady, thoughtful development.",
              "^ has produced a striking clay sculpture this term."]},
            {"name": "Effort", "comments": [
              "# always works with care & patience.",
              "^ needs to finish pieces rather than starting new ones."]}
          ]
        },
        {
          "name": "Français",
          "tabs": [
            {"name": "Expression orale", "comments": [
              "# s’exprime avec aisance ; ^ a fait de réels progrès à l’oral.",
              "# prononce très bien, et ~ accent s’améliore.",
              "Élève sérieux·se : je félicite * pour ~ travail régulier."]},
            {"name": "Compréhension écrite", "comments": [
              "# lit des textes variés et ^ les comprend très bien.",
              "~ compréhension est fragile ; # doit relire les consignes."]},
            {"name": "Grammar", "comments": [
              "# knows ~ verb endings well, even the irregular ones (être, avoir, aller)."]}
          ]
        },
        {
          "name": "Science",
          "tabs": [
            {"name": "Practical skills", "comments": [
              "# works safely in the laboratory and records ~ results neatly.",
              "^ plans fair tests with growing independence."]},
            {"name": "Knowledge", "comments": [
              "# has a secure understanding of forces and motion.",
              "^ should revise the topics on cells and ecosystems."]},
            {"name": "Empty group", "comments": []}
          ]
        }
      ]
    },
    {
      "email": "r.patel+reports@example.org",
      "password": "p&ss wörd+1",
      "subjects": [
        {
          "name": "History",
          "tabs": [
            {"name": "Knowledge", "comments": [
              "# knows the key events of the Tudor period well.",
              "^ can explain why the Romans left Britain."]},
            {"name": "Skills", "comments": [
              "# uses sources carefully and questions ~ evidence."]}
          ]
        },
        {
          "name": "Geography",
          "tabs": [
            {"name": "Fieldwork", "comments": [
              "# took ~ fieldwork seriously and ~ river study was excellent."]}
          ]
        }
      ]
    },
    {
      "email": "new.teacher@example.com",
      "password": "empty",
      "subjects": []
    }
  ]
}
)json";
  return kJson;
}

std::vector<BankTeacher> SampleBank() { return ParseBankJson(SampleBankJson()); }

}  // namespace quillbox::reference
