<?php
// index.php: PHP keywords in any case
$items = array("a", "b");
FOREACH ($items as $item) {
    echo "<li>$item</li>"; // a comment ?> still a comment
}
/* a block comment

   with an empty line inside */
function greet($name) { return "Hi " . $name; }
?>
<ul>
  <li><?= greet("you") ?></li>
</ul>
<?php if ($x) { print 'single quotes are text'; } ?>
