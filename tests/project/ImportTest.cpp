// The importers on project files as the development tools write them, then line by line on
// the cases those files hold only rarely.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "ProjectTestSupport.h"
#include "common/TempDevice.h"
#include "platform/base/CodePage.h"
#include "platform/fs/Files.h"

namespace {

using Lines = std::vector<std::string>;

std::string ReadSample(const std::string& name) {
  std::ifstream f(std::string(TOVIN_PROJECT_SAMPLES) + "/" + name, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string WithoutCr(std::string text) {
  std::erase(text, '\r');
  return text;
}

enum class Reader { VisualStudio, Dsp, Vbp, Ebp };

class ImportTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(plat::CodePage::SetSystem("CP1252")); }
  void TearDown() override { plat::CodePage::SetSystem("UTF-8"); }

  // Writes the bytes as a project file and imports it as the program does for its kind.
  bool Import(const std::string& name, const std::string& bytes, Reader reader) {
    TempDevice::WriteHostFile(device.DocHost(name), bytes);
    project.Clear();
    project.SetPath(device.DocDevice(name));
    switch (reader) {
      case Reader::VisualStudio: project.SetType(u"CSPROJ"); return project.ImportVisualStudio();
      case Reader::Dsp: project.SetType(u"DSP"); return project.ImportDsp();
      case Reader::Vbp: project.SetType(u"VBP"); return project.ImportVb();
      case Reader::Ebp: project.SetType(u"EBP"); return project.ImportVb();
    }
    return false;
  }
  // The sample as the tool wrote it (CR LF), and again with LF line ends: the same files.
  void ExpectSample(const std::string& name, Reader reader, const Lines& items, const Lines& groups) {
    for (bool lf : {false, true}) {
      SCOPED_TRACE(name + (lf ? " with LF" : " with CR LF"));
      const std::string bytes = ReadSample(name);
      ASSERT_FALSE(bytes.empty());
      ASSERT_TRUE(Import(name, lf ? WithoutCr(bytes) : bytes, reader));
      EXPECT_EQ(ItemLines(project), items);
      EXPECT_EQ(GroupLines(project), groups);
      EXPECT_TRUE(project.GetGroupStack().empty());
    }
  }
  // One line (or a few) handed to the reader as a whole file.
  Lines ImportText(const std::string& text, Reader reader, const std::string& name = "p.dsp") {
    EXPECT_TRUE(Import(name, text, reader));
    return ItemLines(project);
  }

  TempDevice device;
  ProjectManager project;
};

TEST_F(ImportTest, VisualCpp2003TakesEveryRelativePathButImagesAndIcons) {
  ExpectSample("Viewer2003.vcproj", Reader::VisualStudio,
               {".\\stdafx.cpp | stdafx.cpp | ", ".\\Viewer.cpp | Viewer.cpp | ", ".\\Übersicht.cpp | Übersicht.cpp | ",
                "..\\Shared\\Log.cpp | Log.cpp | ", ".\\stdafx.h | stdafx.h | ", ".\\Viewer.h | Viewer.h | ",
                ".\\Viewer.rc | Viewer.rc | ", ".\\ReadMe.txt | ReadMe.txt | "},
               {});
}

TEST_F(ImportTest, VisualCpp2005WithNestedFiltersAndBlanksInNames) {
  ExpectSample("Tracker2005.vcproj", Reader::VisualStudio,
               {".\\src\\main.cpp | main.cpp | ", ".\\src\\tracker.cpp | tracker.cpp | ",
                ".\\src\\parsers\\gpx.cpp | gpx.cpp | ", ".\\Shared Code\\nmea reader.cpp | nmea reader.cpp | ",
                ".\\src\\tracker.h | tracker.h | "},
               {});
}

TEST_F(ImportTest, CSharpAndVisualBasic2003TakeEveryRelPath) {
  ExpectSample("Notes2003.csproj", Reader::VisualStudio,
               {"AssemblyInfo.cs | AssemblyInfo.cs | ", "MainForm.cs | MainForm.cs | ", "MainForm.resx | MainForm.resx | ",
                "Storage\\NoteStore.cs | NoteStore.cs | "},
               {});
  ExpectSample("Ledger2003.vbproj", Reader::VisualStudio,
               {"AssemblyInfo.vb | AssemblyInfo.vb | ", "Form1.vb | Form1.vb | ", "Form1.resx | Form1.resx | ",
                "Module1.vb | Module1.vb | "},
               {});
}

TEST_F(ImportTest, Projects2005TakeOnlyTheirCompileItems) {
  ExpectSample("Weather2005.csproj", Reader::VisualStudio,
               {"MainForm.cs | MainForm.cs | ", "MainForm.Designer.cs | MainForm.Designer.cs | ", "Program.cs | Program.cs | ",
                "Properties\\AssemblyInfo.cs | AssemblyInfo.cs | ",
                "Properties\\Resources.Designer.cs | Resources.Designer.cs | ", "..\\Common\\Station.cs | Station.cs | "},
               {});
  ExpectSample("Inventory2005.vbproj", Reader::VisualStudio,
               {"Form1.vb | Form1.vb | ", "Form1.Designer.vb | Form1.Designer.vb | ",
                "My Project\\AssemblyInfo.vb | AssemblyInfo.vb | ",
                "My Project\\Application.Designer.vb | Application.Designer.vb | ", "Stock.vb | Stock.vb | "},
               {});
}

TEST_F(ImportTest, VisualCpp6GroupsNestAndQuotedPathsKeepTheirQuotes) {
  // Outside the groups only source-file blocks count: the custom build's SOURCE line and
  // the stray one before the first group add nothing.
  ExpectSample("Paint.dsp", Reader::Dsp,
               {".\\MainFrm.cpp | MainFrm.cpp | Source Files", ".\\Paint.cpp | Paint.cpp | Source Files",
                ".\\Paint.rc | Paint.rc | Source Files",
                "\"..\\Common Files\\Canvas View.cpp\" | Canvas View.cpp\" | Source Files",
                ".\\StdAfx.cpp | StdAfx.cpp | Source Files", ".\\tools\\Brush.cpp | Brush.cpp | Tools",
                ".\\tools\\Pinseländerung.cpp | Pinseländerung.cpp | Tools", ".\\Palette.cpp | Palette.cpp | Source Files",
                ".\\MainFrm.h | MainFrm.h | Header Files", ".\\Resource.h | Resource.h | Header Files",
                ".\\res\\Paint.rc2 | Paint.rc2 | Resource Files", ".\\ReadMe.txt | ReadMe.txt | "},
               {"Header Files=0", "Resource Files=0", "Source Files=0", "Tools=0"});
}

TEST_F(ImportTest, EmbeddedVisualCppFilesOutsideAndInsideGroups) {
  ExpectSample("Pocket.vcp", Reader::Dsp,
               {".\\Pocket.cpp | Pocket.cpp | ", ".\\Pocket.rc | Pocket.rc | ", ".\\StdAfx.cpp | StdAfx.cpp | Support",
                ".\\StdAfx.h | StdAfx.h | Support", ".\\newres.h | newres.h | "},
               {"Support=0"});
}

TEST_F(ImportTest, VisualBasicFormsModulesAndClasses) {
  ExpectSample("Shop.vbp", Reader::Vbp,
               {"frmMain.frm | frmMain.frm | Forms", "Forms\\frmAbout.frm | frmAbout.frm | Forms",
                "Forms\\frmBestellung für Kunden.frm | frmBestellung für Kunden.frm | Forms",
                "modMain.bas | modMain.bas | Modules", "..\\Shared\\modUtil.bas | modUtil.bas | Modules",
                "clsOrder.cls | clsOrder.cls | Class Modules"},
               {"Class Modules=0", "Forms=0", "Modules=0"});
  // eMbedded Visual Basic has no class modules group: its classes stand at the top.
  ExpectSample("Field.ebp", Reader::Ebp,
               {"frmField.ebf | frmField.ebf | Forms", "Module1.bas | Module1.bas | Modules",
                "Reading.cls | Reading.cls | Class Modules"},
               {"Forms=0", "Modules=0"});
}

TEST_F(ImportTest, EightBitNamesCarryTheirBytesUnderUtf8) {
  ASSERT_TRUE(plat::CodePage::SetSystem("UTF-8"));
  ASSERT_TRUE(Import("Shop.vbp", ReadSample("Shop.vbp"), Reader::Vbp));
  std::u16string path;
  static_cast<CProjectItem*>(project.GetItems()->GetAt(project.GetItems()->FindIndex(2)))->GetPathname(path);
  EXPECT_EQ(path, u"Forms\\frmBestellung f\xDCFC" u"r Kunden.frm");  // byte 0xFC kept as U+DCFC
}

TEST_F(ImportTest, TheHeadOfTheFileChoosesTheVisualStudioReader) {
  // The marker must lie in the first 256 bytes.
  EXPECT_FALSE(Import("x.csproj", std::string(256, ' ') + "<VisualStudioProject>\r\nRelPath = \"a.cs\"\r\n", Reader::VisualStudio));
  EXPECT_FALSE(Import("x.csproj", "<Project ToolsVersion=\"3.5\" DefaultTargets=\"Build\">\r\n", Reader::VisualStudio));
  EXPECT_FALSE(Import("x.csproj", "", Reader::VisualStudio));
  // 2003 lines in a 2005 file are not read as 2003 lines.
  EXPECT_TRUE(Import("x.csproj", "<Project DefaultTargets=\"Build\">\r\n  RelPath = \"a.cs\"\r\n", Reader::VisualStudio));
  EXPECT_TRUE(ItemLines(project).empty());
}

TEST_F(ImportTest, VisualStudioLineRules) {
  const auto vs2003 = [this](const std::string& line) {
    return ImportText("<VisualStudioProject>\r\n" + line + "\r\n", Reader::VisualStudio, "x.vcproj");
  };
  const auto vs2005 = [this](const std::string& line) {
    return ImportText("<Project DefaultTargets=\"Build\">\r\n" + line + "\r\n", Reader::VisualStudio, "x.csproj");
  };
  EXPECT_EQ(vs2003("\t\t\tRelativePath=\".\\src\\a.cpp\">"), Lines{".\\src\\a.cpp | a.cpp | "});
  // Trailing blanks stay in a 2003 path, and ">" is removed only from RelativePath lines.
  EXPECT_EQ(vs2003("  RelPath = \"b>c.cs\" "), Lines{"b>c.cs  | b>c.cs  | "});
  EXPECT_EQ(vs2005("    <Compile Include=\"Properties\\AssemblyInfo.cs\" />"),
            Lines{"Properties\\AssemblyInfo.cs | AssemblyInfo.cs | "});
  EXPECT_EQ(vs2005("    <Content Include=\"Web.config\" />"), Lines{});
  EXPECT_EQ(vs2005("    <EmbeddedResource Include=\"Form1.resx\" />"), Lines{});
  EXPECT_EQ(vs2005("    <Compile Include=\"Icons.ico.cs\" />"), Lines{});
  // A compile item without a file name adds nothing.
  EXPECT_EQ(vs2005("    <Compile Include=\".cs\" />"), Lines{});
}

TEST_F(ImportTest, DspLineRules) {
  // Only lines inside a group or a source-file block count.
  EXPECT_EQ(ImportText("SOURCE=.\\a.cpp\r\n", Reader::Dsp), Lines{});
  EXPECT_EQ(ImportText("# Begin Source File\r\nSOURCE=.\\res\\app.ico\r\nSOURCE=.\\b.cpp\r\n# End Source File\r\n"
                       "SOURCE=.\\c.cpp\r\n",
                       Reader::Dsp),
            Lines{".\\b.cpp | b.cpp | "});
  // Any line that mentions an image is passed over, whatever it names.
  EXPECT_EQ(ImportText("# Begin Group \"G\"\r\nSOURCE=.\\logo.bmp.txt\r\nSOURCE=.\\x.cpp # see x.bmp\r\n# End Group\r\n",
                       Reader::Dsp),
            Lines{});
  // A custom build step inside a group names its input.
  EXPECT_EQ(ImportText("# Begin Group \"G\"\r\nSOURCE=\"$(InputPath)\"\r\n# End Group\r\n", Reader::Dsp),
            Lines{"\"$(InputPath)\" | \"$(InputPath)\". | G"});
  // A group line without a quote opens nothing, so what follows is outside any group.
  EXPECT_EQ(ImportText("# Begin Group Sources\r\nSOURCE=.\\a.cpp\r\n", Reader::Dsp), Lines{});
  EXPECT_TRUE(project.GetGroupStates().IsEmpty());
}

TEST_F(ImportTest, AnImportStartsOutsideAnySourceFileBlock) {
  // The first file ends inside a block; the next import does not carry that over.
  ImportText("# Begin Source File\r\nSOURCE=.\\a.cpp\r\n", Reader::Dsp, "first.dsp");
  EXPECT_TRUE(project.GetInSourceFile());
  EXPECT_EQ(ImportText("SOURCE=.\\b.cpp\r\n", Reader::Dsp, "second.dsp"), Lines{});
}

TEST_F(ImportTest, VisualBasicLineRules) {
  EXPECT_EQ(ImportText("Module=Module1; Module1.bas\r\n", Reader::Vbp, "p.vbp"), Lines{"Module1.bas | Module1.bas | Modules"});
  // "Form=" counts only at the start of a line.
  EXPECT_EQ(ImportText("IconForm=\"frmMain\"\r\n x Form=a.frm\r\n", Reader::Vbp, "p.vbp"), Lines{});
  // Module and class lines without the separator name no file.
  EXPECT_EQ(ImportText("Module=Module1\r\nClass=Class1\r\nModule=M;\r\n", Reader::Vbp, "p.vbp"), Lines{});
  EXPECT_EQ(ImportText("Form=splash.bmp.frm\r\nModule=Icons; icons.cur.bas\r\n", Reader::Vbp, "p.vbp"), Lines{});
  // A Module= anywhere in the line wins over Form= at its start.
  EXPECT_EQ(ImportText("Form=x; Module=y.bas\r\n", Reader::Vbp, "p.vbp"), Lines{"Module=y.bas | Module=y.bas | Modules"});
}

TEST_F(ImportTest, LineEndsComeFromTheFirstLineBreak) {
  // The first break is LF: the later CR LF lines keep their CR.
  EXPECT_EQ(ImportText("Type=Exe\nForm=a.frm\r\nForm=b.frm", Reader::Vbp, "p.vbp"),
            (Lines{"a.frm\r | a.frm\r | Forms", "b.frm | b.frm | Forms"}));
  // No line break at all: one line.
  EXPECT_EQ(ImportText("Form=only.frm", Reader::Vbp, "p.vbp"), Lines{"only.frm | only.frm | Forms"});
}

TEST_F(ImportTest, MissingAndUnreadableProjectFiles) {
  project.SetPath(u"\\My Documents\\none.dsp");
  EXPECT_FALSE(project.ImportDsp());
  project.SetPath(u"\\My Documents\\none.vcproj");
  EXPECT_FALSE(project.ImportVisualStudio());
  // A missing Visual Basic project opens empty with its groups.
  project.SetType(u"VBP");
  project.SetPath(u"\\My Documents\\none.vbp");
  EXPECT_TRUE(project.ImportVb());
  EXPECT_EQ(GroupLines(project), (Lines{"Class Modules=0", "Forms=0", "Modules=0"}));
  // A folder or a FIFO under a project's name is refused at once, never read.
  ASSERT_EQ(mkdir(device.DocHost("dir.vbp").c_str(), 0700), 0);
  ASSERT_EQ(mkfifo(device.DocHost("pipe.vbp").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(device.DocHost("pipe.dsp").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(device.DocHost("pipe.csproj").c_str(), 0600), 0);
  for (const char* name : {"dir.vbp", "pipe.vbp"}) {
    project.SetPath(device.DocDevice(name));
    EXPECT_FALSE(project.ImportVb()) << name;
  }
  project.SetPath(device.DocDevice("pipe.dsp"));
  EXPECT_FALSE(project.ImportDsp());
  project.SetPath(device.DocDevice("pipe.csproj"));
  EXPECT_FALSE(project.ImportVisualStudio());
  // A read that fails part-way is a failed import.
  TempDevice::WriteHostFile(device.DocHost("bad.dsp"), ReadSample("Paint.dsp"));
  plat::fs::SetFaultHook([](plat::fs::FsOp op, const std::string& host) -> std::uint32_t {
    return op == plat::fs::FsOp::Read && host.ends_with("bad.dsp") ? plat::ERROR_READ_FAULT : 0;
  });
  project.SetPath(device.DocDevice("bad.dsp"));
  EXPECT_FALSE(project.ImportDsp());
  plat::fs::SetFaultHook(nullptr);
}

TEST_F(ImportTest, LongFilesCrossTheReadingChunks) {
  // Lines that straddle the 32768-byte chunks, and one line far longer than a chunk.
  std::string text = "# Begin Group \"G\"\r\n";
  for (int i = 0; i < 3000; ++i) text += "SOURCE=.\\f" + std::to_string(i) + ".cpp\r\n";
  text += "SOURCE=.\\" + std::string(100000, 'x') + ".c\r\n# End Group\r";
  const Lines items = ImportText(text, Reader::Dsp);
  ASSERT_EQ(items.size(), 3001u);
  EXPECT_EQ(items[2999], ".\\f2999.cpp | f2999.cpp | G");
  // The name shown is cut where every name is cut.
  EXPECT_EQ(items[3000], ".\\" + std::string(100000, 'x') + ".c | " + std::string(254, 'x') + ".c | G");
}

}  // namespace
