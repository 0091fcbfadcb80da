#include "report/script/sc_icpp.h"

#include "report/script/detail/JoinedText.h"
#include "report/script/detail/SharedRules.h"

namespace script {

namespace {

// This language's settings and the rules no other grammar writes alike.
constexpr std::string_view ZppEveravRules = R"xml(<?xml version="1.0"?>
<language text="Z++Everav">
  <parser>
    <commentline1 text="//"/>
    <commentblock1 text="/*,*/"/>
    <commentblock2 text="/*,*/"/>
    <stringquotes text="&#34;"/>
    <hexsequence text="0x"/>
    <casesensitive text="1"/>
    <keywords>
      <break/>
      <case/>
      <continue/>
      <define/>
      <default/>
      <delete/>
      <do/>
      <else/>
      <except/>
      <finally/>
      <for/>
      <in/>
      <is/>
      <if/>
      <new/>
      <return/>
      <switch/>
      <try/>
      <while/>
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
      <err13 text="'DEFINE' expected"/>
      <err14 text="'WHILE' expected"/>
      <err17 text="'FINALLY' or 'EXCEPT' expected"/>
      <err18 text="'[' expected"/>
      <err19 text="'..' expected"/>
      <err20 text="'&#62;' expected"/>
    </errors>
  </parser>
  <types>
    <int type="Integer"/>
    <long type="Integer"/>
    <void type="Integer"/>
    <bool type="Boolean"/>
    <float type="Extended"/>
  </types>
  <empty/>
  <program>
    <optional>
      <usesclause/>
    </optional>
    <optionalloop>
      <declsection/>
    </optionalloop>
    <compoundstmt err="err10"/>
  </program>
  <usesclause node="uses">
    <char text="#"/>
    <keyword text="INCLUDE"/>
    <loop text=",">
      <string add="file" err="err1"/>
    </loop>
  </usesclause>
  <declsection>
    <switch>
      <constsection/>
      <functiondecl/>
      <sequence>
        <varstmt/>
        <char text=";" err="err5"/>
      </sequence>
    </switch>
  </declsection>
  <constsection>
    <char text="#"/>
    <keyword text="DEFINE" err="err13"/>
    <constantdecl/>
  </constsection>
  <constantdecl node="const">
    <ident add="ident" err="err1"/>
    <expression err="err2"/>
  </constantdecl>
  <varstmt node="var">
    <ident add="type"/>
    <loop text=",">
      <ident add="ident"/>
      <optional>
        <array/>
      </optional>
      <optional>
        <initvalue/>
      </optional>
    </loop>
  </varstmt>
  <array node="array">
    <loop>
      <char text="["/>
      <optionalloop text=",">
        <arraydim/>
      </optionalloop>
      <char text="]" err="err8"/>
    </loop>
  </array>
  <statement>
    <optionalswitch>
      <sequence>
        <simplestatement/>
        <char text=";" err="err5"/>
      </sequence>
      <structstmt/>
      <emptystmt/>
    </optionalswitch>
  </statement>
  <emptystmt node="empty">
    <char text=";"/>
  </emptystmt>
  <stmtlist>
    <loop>
      <statement/>
    </loop>
  </stmtlist>
  <simplestatement>
    <switch>
      <deletestmt/>
      <varstmt/>
      <returnstmt/>
      <keyword text="BREAK" node="break"/>
      <keyword text="CONTINUE" node="continue"/>
      <keyword text="EXIT" node="exit"/>
      <assignstmt/>
      <callstmt/>
    </switch>
  </simplestatement>
  <assignstmt node="assignstmt">
    <designator/>
    <switch>
      <sequence>
        <char text="+" add="modificator" opt="1"/>
        <char text="=" skip="0"/>
      </sequence>
      <sequence>
        <char text="-" add="modificator" opt="1"/>
        <char text="=" skip="0"/>
      </sequence>
      <sequence>
        <char text="*" add="modificator" opt="1"/>
        <char text="=" skip="0"/>
      </sequence>
      <sequence>
        <char text="/" add="modificator" opt="1"/>
        <char text="=" skip="0"/>
      </sequence>
      <char text="="/>
    </switch>
    <expression err="err2"/>
  </assignstmt>
  <structstmt>
    <switch>
      <compoundstmt/>
      <conditionalstmt/>
      <loopstmt/>
      <trystmt/>
    </switch>
  </structstmt>
  <compoundstmt node="compoundstmt">
    <char text="{"/>
    <optional>
      <stmtlist/>
    </optional>
    <char text="}" err="err11"/>
  </compoundstmt>
  <conditionalstmt>
    <switch>
      <ifstmt/>
      <casestmt/>
    </switch>
  </conditionalstmt>
  <loopstmt>
    <switch>
      <repeatstmt/>
      <whilestmt/>
      <forstmt/>
    </switch>
  </loopstmt>
  <forcompoundstmt node="compoundstmt">
    <loop text=",">
      <forstmtitem/>
    </loop>
  </forcompoundstmt>
  <forstmtitem>
    <switch>
      <assignstmt/>
      <varstmt/>
      <callstmt/>
      <empty node="empty"/>
    </switch>
  </forstmtitem>
  <trystmt node="trystmt">
    <keyword text="TRY"/>
    <compoundstmt/>
    <switch err="err17">
      <sequence>
        <keyword text="FINALLY"/>
        <compoundstmt node="finallystmt"/>
      </sequence>
      <sequence>
        <keyword text="EXCEPT"/>
        <compoundstmt node="exceptstmt"/>
      </sequence>
    </switch>
  </trystmt>
  <functiondecl node="function">
    <functionheading/>
    <compoundstmt/>
  </functiondecl>
  <functionheading>
    <ident add="type"/>
    <ident add="name"/>
    <formalparameters/>
  </functionheading>
  <formalparam node="var">
    <ident add="type"/>
    <optional>
      <char text="&#38;" add="varparam"/>
    </optional>
    <ident add="ident" err="err1"/>
    <optional>
      <initvalue/>
    </optional>
  </formalparam>
)xml";

}  // namespace

std::string_view ZppEveravGrammar()
{
    return detail::JoinedText<
        ZppEveravRules, detail::ExpressionRules, detail::OperandRules, detail::SymbolOperatorRules,
        detail::SimpleStatementRules, detail::BraceStatementRules, detail::ParameterListRule,
        detail::GrammarEnd>::text;
}

}  // namespace script
