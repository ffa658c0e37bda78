# Rewrites the generated parser so that semantic values are moved, not copied: the
# values are records with strings and vectors, and the skeleton would copy each one
# twice per reduction and once per shifted token. Every rule of the grammar sets $$
# itself, so the skeleton's default "$$ = $1" is dropped. Fails when the skeleton's
# text is not what this expects, rather than silently leaving the copies in.
file(READ "${IN}" text)

function(replace_exactly from to count)
  string(FIND "${text}" "${from}" at)
  set(found 0)
  set(rest "${text}")
  while(NOT at EQUAL -1)
    math(EXPR found "${found} + 1")
    string(LENGTH "${from}" length)
    math(EXPR next "${at} + ${length}")
    string(SUBSTRING "${rest}" ${next} -1 rest)
    string(FIND "${rest}" "${from}" at)
  endwhile()
  if(NOT found EQUAL count)
    message(FATAL_ERROR "parser_moves: expected ${count} of '${from}', found ${found}")
  endif()
  string(REPLACE "${from}" "${to}" text "${text}")
  set(text "${text}" PARENT_SCOPE)
endfunction()

replace_exactly("  yyval = yyvsp[1-yylen];" "  /* every rule sets $$ itself */" 1)
replace_exactly("  *++yyvsp = yyval;" "  *++yyvsp = std::move (yyval);" 1)
replace_exactly("  *++yyvsp = yylval;" "  *++yyvsp = std::move (yylval);" 2)
file(WRITE "${OUT}" "${text}")
