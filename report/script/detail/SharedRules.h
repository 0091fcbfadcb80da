#pragma once
// Grammar rules that read the same, to the letter, in more than one script language. A grammar lists
// the sets it uses after its own rules; a language that needs a rule otherwise keeps its own copy and
// lists no set holding it. A rule names its error by code: every grammar that lists a set gives the
// codes in it the same message, so a code changed here must be checked in each of them.

#include <string_view>

namespace script::detail {

// Expressions by precedence, set constructors and initial values.
inline constexpr std::string_view ExpressionRules = R"xml(  <initvalue node="init">
    <char text="="/>
    <expression err="err2"/>
  </initvalue>
  <expression node="expr">
    <simpleexpression/>
    <optionalloop>
      <relop/>
      <simpleexpression/>
    </optionalloop>
  </expression>
  <simpleexpression>
    <optional>
      <char text="-" add="op" addtext="unminus"/>
    </optional>
    <term/>
    <optionalloop>
      <addop/>
      <term/>
    </optionalloop>
  </simpleexpression>
  <term>
    <factor/>
    <optionalloop>
      <mulop/>
      <factor/>
    </optionalloop>
  </term>
  <setconstructor node="set">
    <loop text=",">
      <setnode/>
    </loop>
  </setconstructor>
)xml";

// Array bounds, set elements, "new" and argument lists. A bound carries no error of its own, so that
// "a[]" declares an array without bounds; a bad bound still fails at the closing bracket.
inline constexpr std::string_view OperandRules = R"xml(  <arraydim node="dim">
    <expression/>
  </arraydim>
  <setnode>
    <expression/>
    <optional>
      <char text="."/>
      <char text="." add="range"/>
      <expression/>
    </optional>
  </setnode>
  <newoperator node="new">
    <keyword text="NEW"/>
    <designator err="err2"/>
  </newoperator>
  <exprlist>
    <loop text=",">
      <expression/>
    </loop>
  </exprlist>
)xml";

// Comparisons with "=" for equality and "<>" for inequality.
inline constexpr std::string_view EqualsRelopRule = R"xml(  <relop>
    <switch>
      <sequence>
        <char text="&#62;"/>
        <char text="=" add="op" addtext="&#62;=" skip="0"/>
      </sequence>
      <sequence>
        <char text="&#60;"/>
        <char text="&#62;" add="op" addtext="&#60;&#62;" skip="0"/>
      </sequence>
      <sequence>
        <char text="&#60;"/>
        <char text="=" add="op" addtext="&#60;=" skip="0"/>
      </sequence>
      <char text="&#62;" add="op" addtext="&#62;"/>
      <char text="&#60;" add="op" addtext="&#60;"/>
      <char text="=" add="op" addtext="="/>
      <keyword text="IN" add="op" addtext="in"/>
      <keyword text="IS" add="op" addtext="is"/>
    </switch>
  </relop>
)xml";

// Operators written as symbols ("==", "!=", "&&", "||", "%", shifts), factors and designators.
inline constexpr std::string_view SymbolOperatorRules = R"xml(  <relop>
    <switch>
      <sequence>
        <char text="&#62;"/>
        <char text="=" add="op" addtext="&#62;=" skip="0"/>
      </sequence>
      <sequence>
        <char text="&#60;"/>
        <char text="=" add="op" addtext="&#60;=" skip="0"/>
      </sequence>
      <char text="&#62;" add="op" addtext="&#62;"/>
      <char text="&#60;" add="op" addtext="&#60;"/>
      <sequence>
        <char text="="/>
        <char text="=" add="op" addtext="=" skip="0"/>
      </sequence>
      <sequence>
        <char text="!"/>
        <char text="=" add="op" addtext="&#60;&#62;" skip="0"/>
      </sequence>
      <keyword text="IN" add="op" addtext="in"/>
      <keyword text="IS" add="op" addtext="is"/>
    </switch>
  </relop>
  <factor>
    <switch>
      <designator/>
      <number add="number"/>
      <string add="string"/>
      <sequence>
        <char text="(" add="op"/>
        <expression err="err2"/>
        <char text=")" add="op" err="err7"/>
      </sequence>
      <sequence>
        <char text="!" add="op" addtext="not"/>
        <factor err="err2"/>
      </sequence>
      <sequence>
        <char text="["/>
        <setconstructor err="err2"/>
        <char text="]" err="err8"/>
      </sequence>
      <newoperator/>
      <sequence>
        <char text="&#60;"/>
        <frstring/>
        <char text="&#62;" err="err20"/>
      </sequence>
    </switch>
  </factor>
  <addop>
    <switch>
      <char text="+" add="op"/>
      <char text="-" add="op"/>
      <sequence>
        <char text="|"/>
        <char text="|" add="op" addtext="or"/>
      </sequence>
      <char text="^" add="op" addtext="xor"/>
    </switch>
  </addop>
  <mulop>
    <switch>
      <char text="*" add="op"/>
      <char text="/" add="op"/>
      <keyword text="DIV" add="op" addtext="div"/>
      <char text="%" add="op" addtext="mod"/>
      <sequence>
        <char text="&#38;"/>
        <char text="&#38;" add="op" addtext="and"/>
      </sequence>
      <sequence>
        <char text="&#60;"/>
        <char text="&#60;" add="op" addtext="shl" skip="0"/>
      </sequence>
      <sequence>
        <char text="&#62;"/>
        <char text="&#62;" add="op" addtext="shr" skip="0"/>
      </sequence>
    </switch>
  </mulop>
  <designator node="dsgn">
    <optional>
      <char text="&#38;" add="addr"/>
    </optional>
    <ident add="node"/>
    <optionalloop>
      <switch>
        <sequence>
          <char text="."/>
          <keyword add="node"/>
        </sequence>
        <sequence>
          <char text="[" add="node"/>
          <exprlist err="err2"/>
          <char text="]" err="err8"/>
          <optionalloop>
            <char text="["/>
            <exprlist err="err2"/>
            <char text="]" err="err8"/>
          </optionalloop>
        </sequence>
        <sequence>
          <char text="("/>
          <optional>
            <exprlist/>
          </optional>
          <char text=")" err="err7"/>
        </sequence>
      </switch>
    </optionalloop>
  </designator>
)xml";

// break, continue and exit.
inline constexpr std::string_view JumpStatementRules = R"xml(  <breakstmt>
    <keyword text="BREAK" node="break"/>
  </breakstmt>
  <continuestmt>
    <keyword text="CONTINUE" node="continue"/>
  </continuestmt>
  <exitstmt>
    <keyword text="EXIT" node="exit"/>
  </exitstmt>
)xml";

// delete, calls (with ++ and --) and return.
inline constexpr std::string_view SimpleStatementRules = R"xml(  <deletestmt node="delete">
    <keyword text="DELETE"/>
    <designator err="err2"/>
  </deletestmt>
  <callstmt node="callstmt">
    <designator/>
    <optionalswitch>
      <sequence>
        <char text="+"/>
        <char text="+" add="modificator" skip="0"/>
      </sequence>
      <sequence>
        <char text="-"/>
        <char text="-" add="modificator" skip="0"/>
      </sequence>
    </optionalswitch>
  </callstmt>
  <returnstmt node="return">
    <keyword text="RETURN"/>
    <optional>
      <expression/>
    </optional>
  </returnstmt>
)xml";

// if, switch with its case selectors, do-while, while and for, their conditions in parentheses.
inline constexpr std::string_view BraceStatementRules = R"xml(  <ifstmt node="ifstmt">
    <keyword text="IF"/>
    <char text="(" err="err12"/>
    <expression err="err2"/>
    <char text=")" err="err7"/>
    <statement node="thenstmt"/>
    <optional>
      <keyword text="ELSE"/>
      <statement node="elsestmt"/>
    </optional>
  </ifstmt>
  <caseselector node="caseselector">
    <keyword text="CASE"/>
    <setconstructor err="err2"/>
    <char text=":" err="err4"/>
    <statement/>
  </caseselector>
  <whilestmt node="whilestmt">
    <keyword text="WHILE"/>
    <char text="(" err="err12"/>
    <expression err="err2"/>
    <char text=")" err="err7"/>
    <statement/>
  </whilestmt>
  <forstmt node="cppforstmt">
    <keyword text="FOR"/>
    <char text="(" err="err12"/>
    <forcompoundstmt/>
    <char text=";" err="err5"/>
    <expression err="err2"/>
    <char text=";" err="err5"/>
    <forcompoundstmt/>
    <char text=")" err="err7"/>
    <statement/>
  </forstmt>
  <casestmt node="casestmt">
    <keyword text="SWITCH"/>
    <char text="(" err="err12"/>
    <expression err="err2"/>
    <char text=")" err="err7"/>
    <char text="{" err="err10"/>
    <loop>
      <caseselector/>
    </loop>
    <optional>
      <keyword text="DEFAULT"/>
      <char text=":" err="err4"/>
      <statement/>
    </optional>
    <char text="}" err="err11"/>
  </casestmt>
  <repeatstmt node="repeatstmt">
    <keyword text="DO"/>
    <statement/>
    <optional>
      <char text=";"/>
    </optional>
    <keyword text="WHILE" err="err14"/>
    <char text="(" err="err12"/>
    <expression err="err2"/>
    <empty add="inverse"/>
    <char text=")" err="err7"/>
    <char text=";" err="err5"/>
  </repeatstmt>
)xml";

// A routine's parameter list in parentheses.
inline constexpr std::string_view ParameterListRule = R"xml(  <formalparameters node="parameters">
    <char text="("/>
    <optionalloop text=",">
      <formalparam/>
    </optionalloop>
    <char text=")" err="err7"/>
  </formalparameters>
)xml";

// Closes every grammar, after the rule sets it lists.
inline constexpr std::string_view GrammarEnd = "</language>\n";

}  // namespace script::detail
