#include "report/script/sc_ijs.h"

#include "report/script/detail/JoinedText.h"
#include "report/script/detail/SharedRules.h"

namespace script {

namespace {

// This language's settings and the rules no other grammar writes alike.
constexpr std::string_view JScriptRules = R"xml(<?xml version="1.0"?>
<language text="JScript">
  <parser>
    <commentline1 text="//"/>
    <commentblock1 text="/*,*/"/>
    <commentblock2 text="/*,*/"/>
    <stringquotes text="&#34;"/>
    <hexsequence text="0x"/>
    <declarevars text="0"/>
    <keywords>
      <break/>
      <case/>
      <continue/>
      <default/>
      <delete/>
      <do/>
      <else/>
      <except/>
      <finally/>
      <for/>
      <function/>
      <import/>
      <in/>
      <is/>
      <if/>
      <new/>
      <return/>
      <switch/>
      <try/>
      <var/>
      <while/>
      <with/>
    </keywords>
    <errors>
      <err1 text="Identifier expected"/>
      <err2 text="Expression expected"/>
      <err3 text="Statement expected"/>
      <err4 text="':' expected"/>
      <err5 text="';' expected"/>
      <err6 text="'.' expected"/>
      <err7 text="')' expected"/>
      <err8 text="']' expected"/>
      <err9 text="'=' expected"/>
      <err10 text="'{' expected"/>
      <err11 text="'}' expected"/>
      <err12 text="'(' expected"/>
      <err14 text="'WHILE' expected"/>
      <err17 text="'FINALLY' or 'EXCEPT' expected"/>
      <err18 text="'[' expected"/>
      <err19 text="'..' expected"/>
      <err20 text="'&#62;' expected"/>
    </errors>
  </parser>
  <types/>
  <empty/>
  <program>
    <statements/>
    <eof err="err3"/>
  </program>
  <statements node="compoundstmt">
    <optionalloop>
      <statement/>
    </optionalloop>
  </statements>
  <block>
    <char text="{"/>
    <statements/>
    <char text="}" err="err11"/>
  </block>
  <importstmt node="uses">
    <keyword text="IMPORT"/>
    <loop text=",">
      <string add="file" err="err1"/>
    </loop>
  </importstmt>
  <varstmt>
    <keyword text="VAR"/>
    <loop text=",">
      <vardecl/>
    </loop>
  </varstmt>
  <vardecl node="var">
    <ident add="ident"/>
    <optional>
      <array/>
    </optional>
    <optional>
      <initvalue/>
    </optional>
  </vardecl>
  <array node="array">
    <char text="["/>
    <loop text=",">
      <arraydim err="err2"/>
    </loop>
    <char text="]" err="err8"/>
  </array>
  <statement>
    <switch>
      <breakstmt/>
      <continuestmt/>
      <deletestmt/>
      <repeatstmt/>
      <forstmt/>
      <functionstmt/>
      <ifstmt/>
      <importstmt/>
      <returnstmt/>
      <casestmt/>
      <trystmt/>
      <varstmt/>
      <whilestmt/>
      <withstmt/>
      <assignstmt/>
      <exitstmt/>
      <callstmt/>
      <block/>
    </switch>
    <optional>
      <char text=";"/>
    </optional>
  </statement>
  <assignstmt node="assignstmt">
    <designator/>
    <switch>
      <sequence>
        <char text="+" add="modificator"/>
        <char text="=" skip="0"/>
      </sequence>
      <sequence>
        <char text="-" add="modificator"/>
        <char text="=" skip="0"/>
      </sequence>
      <sequence>
        <char text="*" add="modificator"/>
        <char text="=" skip="0"/>
      </sequence>
      <sequence>
        <char text="/" add="modificator"/>
        <char text="=" skip="0"/>
      </sequence>
      <char text="="/>
    </switch>
    <expression err="err2"/>
  </assignstmt>
  <forcompoundstmt node="compoundstmt">
    <forstmtitem/>
  </forcompoundstmt>
  <forstmtitem>
    <switch>
      <assignstmt/>
      <callstmt/>
      <varstmt/>
      <empty node="empty"/>
    </switch>
  </forstmtitem>
  <trystmt node="trystmt">
    <keyword text="TRY"/>
    <statement/>
    <switch err="err17">
      <sequence>
        <keyword text="FINALLY"/>
        <statement node="finallystmt"/>
      </sequence>
      <sequence>
        <keyword text="EXCEPT"/>
        <statement node="exceptstmt"/>
      </sequence>
    </switch>
  </trystmt>
  <functionstmt node="function">
    <functionheading/>
    <block/>
  </functionstmt>
  <functionheading>
    <keyword text="FUNCTION"/>
    <ident add="name" err="err2"/>
    <formalparameters/>
  </functionheading>
  <formalparam node="var">
    <optional>
      <char text="&#38;" add="varparam"/>
    </optional>
    <ident add="ident"/>
  </formalparam>
  <withstmt node="with">
    <keyword text="WITH"/>
    <char text="("/>
    <designator err="err2"/>
    <char text=")" err="err7"/>
    <statement/>
  </withstmt>
)xml";

}  // namespace

// The program ends with only blanks, comments and line ends after its last statement. The first and
// third parts of a for statement are each one compound statement, so a for statement always has four
// children whatever its parts declare. "exit" alone is an exit statement; "exit = 1" an assignment.
std::string_view JScriptGrammar()
{
    return detail::JoinedText<
        JScriptRules, detail::ExpressionRules, detail::OperandRules, detail::SymbolOperatorRules,
        detail::JumpStatementRules, detail::SimpleStatementRules, detail::BraceStatementRules,
        detail::ParameterListRule, detail::GrammarEnd>::text;
}

}  // namespace script
